#include "game/FieldGeometry.h"

int FieldGeometry::RowLength(int row) const {
    if (oddRowsLong) return row % 2 != 0 ? 8 : 7;
    return row % 2 == 0 ? 8 : 7;
}

bool FieldGeometry::IsShiftedRow(int row) const {
    return (rowParity + row) % 2 != 0;
}

int FieldGeometry::CellX(int row, int col) const {
    return fieldLeft + col * cellWidth + (IsShiftedRow(row) ? cellWidth / 2 : 0);
}

int FieldGeometry::CellY(int row) const {
    return fieldTop + row * rowHeight;
}

bool FieldGeometry::CellAt(int x, int y, int rows, int* row, int* col) const {
    if (y < fieldTop) return false;
    const int r = (y - fieldTop) / rowHeight;
    if (r >= rows) return false;
    const int left = CellX(r, 0);
    if (x < left) return false;
    const int c = (x - left) / cellWidth;
    if (c >= RowLength(r)) return false;
    *row = r;
    *col = c;
    return true;
}

int FieldGeometry::Neighbours(int row, int col, int rows[6], int cols[6]) const {
    // A long row's neighbours above and below sit half a cell left and right of it; a short
    // row's sit straight above and half a cell right.
    const bool longRow = RowLength(row) == 8;
    const int d = longRow ? -1 : 0;
    const int candidates[6][2] = {{row - 1, col + d}, {row - 1, col + d + 1},
                                  {row, col - 1},     {row, col + 1},
                                  {row + 1, col + d}, {row + 1, col + d + 1}};
    int n = 0;
    for (const auto& rc : candidates) {
        if (rc[0] < 0 || rc[0] >= kGeometryRows) continue;
        if (rc[1] < 0 || rc[1] >= RowLength(rc[0])) continue;
        rows[n] = rc[0];
        cols[n] = rc[1];
        ++n;
    }
    return n;
}
