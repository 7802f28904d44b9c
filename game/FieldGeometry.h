// Where the bubble field lies on the screen and how its rows alternate between eight cells
// and seven cells shifted half a cell to the right.
#pragma once

constexpr int kGeometryRows = 12;

struct FieldGeometry {
    int fieldLeft = 30;
    int fieldTop = 17;
    int cellWidth = 22;
    int rowHeight = 19;
    int baseTop = 17;
    int shotMaxX = 184;
    int rowParity = 0;         // odd rows are shifted when 0, even rows when 1
    bool oddRowsLong = false;  // push mode after an odd number of pushes

    int RowLength(int row) const;
    bool IsShiftedRow(int row) const;
    int CellX(int row, int col) const;
    int CellY(int row) const;
    // The cell under the point (x, y) among the first `rows` rows; false outside them.
    bool CellAt(int x, int y, int rows, int* row, int* col) const;
    // Neighbours of (row, col) in the order groups are flooded; returns how many exist.
    int Neighbours(int row, int col, int rows[6], int cols[6]) const;
};
