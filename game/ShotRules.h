// The pure rules of a shot over a plain field of cells: the row layout, the launch velocity,
// the flight in one-pixel steps with wall bounces, the candidates and the cell a shot snaps
// into, and the group and ceiling markings. No sound, no effects, no random draws: the Game plays
// with them on its own field, and the autoplayer looks ahead with them on a copy.
#pragma once

#include <functional>

#include "game/FieldGeometry.h"

constexpr int kShotRows = 12;
constexpr int kShotCols = 8;
constexpr int kShotCandidates = 6;
constexpr int kGroupMark = 10000;
constexpr int kConnectedMark = 100000;

using ShotCells = int[kShotRows][kShotCols];

struct FlyingShot {
    int x = 0, y = 0, vx = 0, vy = 0;
};

// The nearest bubbles within reach of the shot, nearest first; dist is INT_MAX when unused.
struct ShotCandidates {
    int row[kShotCandidates];
    int col[kShotCandidates];
    int dist[kShotCandidates];
    void Clear();
    void Insert(int r, int c, int d);
};

// How one frame of flight ended.
struct ShotFrameEnd {
    enum Kind { kStillFlying, kCeiling, kAttach, kLastRow } kind = kStillFlying;
    bool bounced = false;    // a wall was hit in this frame (before any attach)
    int row = -1, col = -1;  // kAttach: the free cell the bubble goes into
};

class ShotRules {
  public:
    ShotRules(ShotCells& cells, const FieldGeometry& geometry) : cells_(cells), g_(geometry) {}

    const FieldGeometry& Geometry() const { return g_; }

    // The shot as it leaves the launcher at aimAngle degrees.
    FlyingShot Launch(int aimAngle) const;
    // Moves the shot through one frame, stopping where it touches the ceiling or finds a free
    // cell; the field is not changed. The last step's candidates are left in *candidates.
    ShotFrameEnd FlyOneFrame(FlyingShot& shot, ShotCandidates* candidates) const;
    void CollectCandidates(int shotX, int shotY, ShotCandidates* out) const;
    // The cell a shot at (shotX, shotY) next to the bubble (row, col) goes into; false when
    // that cell is outside the field or taken.
    bool AttachTarget(int row, int col, int shotX, int shotY, int* targetRow, int* targetCol) const;
    // The row-0 column a shot reaching the ceiling at x goes into, or -1 when all are taken.
    int CeilingColumn(int x) const;

    // Marks (+ kGroupMark) the group of colour holding (row, col); returns how many it marked.
    int FloodGroup(int row, int col, int colour);
    void UnmarkGroup();
    void MarkConnected(int row, int col);
    // Sees a bubble (row, col, colour code) just before it leaves the field.
    using LeavingBubble = std::function<void(int, int, int)>;
    // Removes the marked group, row by row; returns how many bubbles it held.
    int RemoveGroup(const LeavingBubble& popped = nullptr);
    // Marks what hangs from row 0 and empties the rest; returns how many bubbles fell.
    int DropUnconnected(const LeavingBubble& falling = nullptr);

  private:
    ShotCells& cells_;
    FieldGeometry g_;
};
