#include "game/ShotRules.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kDegreesToRadians = 0.01745327777777778;  // 3.14159 / 180
constexpr int kNoCandidate = INT_MAX;
constexpr int kLastRow = kShotRows - 1;

int Sign(int v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

}  // namespace

void ShotCandidates::Clear() {
    for (int& d : dist)
        d = kNoCandidate;
}

void ShotCandidates::Insert(int r, int c, int d) {
    int at = 0;
    while (at < kShotCandidates && dist[at] <= d)
        ++at;  // equal distances keep the earlier find first
    if (at == kShotCandidates) return;
    for (int k = kShotCandidates - 1; k > at; --k) {
        row[k] = row[k - 1];
        col[k] = col[k - 1];
        dist[k] = dist[k - 1];
    }
    row[at] = r;
    col[at] = c;
    dist[at] = d;
}

FlyingShot ShotRules::Launch(int aimAngle) const {
    FlyingShot shot;
    shot.x = g_.fieldLeft + (7 * g_.cellWidth) / 2;
    shot.y = 13 * g_.rowHeight + g_.baseTop + 2;
    // Rounded by adding a half and truncating, so leftward speeds round differently from
    // rightward ones; the game has always flown that way.
    const double a = aimAngle * kDegreesToRadians;
    shot.vx = static_cast<int>(g_.cellWidth * std::cos(a) + 0.5);
    shot.vy = static_cast<int>(g_.cellWidth * std::sin(a) + 0.5);
    return shot;
}

ShotFrameEnd ShotRules::FlyOneFrame(FlyingShot& shot, ShotCandidates* candidates) const {
    ShotFrameEnd end;
    const int x0 = shot.x, y0 = shot.y, vx = shot.vx, vy = shot.vy;
    const int ax = std::abs(vx), ay = std::abs(vy);
    const int steps = ax > ay ? ax : ay;
    for (int i = 0; i < steps; ++i) {
        // The minor axis uses the step index, so it trails the major one by a step.
        if (ax > ay) {
            shot.x += Sign(vx);
            shot.y = y0 - (vy * i) / ax;
        } else {
            shot.x = x0 + (vx * i) / ay;
            shot.y -= Sign(vy);
        }
        bool bounced = false;
        if (shot.x < g_.fieldLeft) {
            shot.x = g_.fieldLeft + 1;
            shot.vx = -vx;
            bounced = true;
        } else if (shot.x > g_.shotMaxX) {
            shot.x = g_.shotMaxX;
            shot.vx = -vx;
            bounced = true;
        }
        end.bounced = end.bounced || bounced;
        if (shot.y <= g_.fieldTop) {
            end.kind = ShotFrameEnd::kCeiling;
            return end;
        }
        CollectCandidates(shot.x, shot.y, candidates);
        for (int k = 0; k < kShotCandidates; ++k) {
            if (candidates->dist[k] == kNoCandidate) continue;
            if (candidates->row[k] >= kLastRow) {
                // Touching the last row ends the shot with no bubble.
                end.kind = ShotFrameEnd::kLastRow;
                return end;
            }
            if (AttachTarget(candidates->row[k], candidates->col[k], shot.x, shot.y, &end.row,
                             &end.col)) {
                end.kind = ShotFrameEnd::kAttach;
                return end;
            }
        }
        if (bounced) return end;
    }
    return end;
}

void ShotRules::CollectCandidates(int shotX, int shotY, ShotCandidates* out) const {
    out->Clear();
    const int reach = g_.cellWidth - g_.cellWidth / 4;
    const int r = (shotY - g_.fieldTop) / g_.rowHeight;
    const int first = r == 0 ? 0 : r - 1;
    const int last = r + 1 < kLastRow ? r + 1 : kLastRow;
    for (int row = first < 0 ? 0 : first; row <= last; ++row) {
        for (int c = 0; c < g_.RowLength(row); ++c) {
            if (cells_[row][c] < 0) continue;
            const int dx = shotX - g_.CellX(row, c), dy = shotY - g_.CellY(row);
            const int d = dy * dy + dx * dx;
            if (d < reach * reach) out->Insert(row, c, d);
        }
    }
}

bool ShotRules::AttachTarget(int row, int col, int shotX, int shotY, int* targetRow,
                             int* targetCol) const {
    const int cx = g_.CellX(row, col), cy = g_.CellY(row);
    const int band = g_.cellWidth / 4;
    const bool level = shotY >= cy - band && shotY <= cy + band;
    const bool above = shotY < cy - band;
    const bool longRow = g_.RowLength(row) == 8;
    const bool right = longRow ? shotX >= cx : shotX > cx;
    int tr = row;
    int tc = col;
    if (level) {
        tc = right ? col + 1 : col - 1;
    } else if (longRow) {
        tr = above ? row - 1 : row + 1;
        tc = right ? col : col - 1;
        if (!above && right && col == 7) tc = 6;
    } else {
        tr = above ? row - 1 : row + 1;
        tc = right ? col + 1 : col;
    }
    if (tr < 0 || tr >= kShotRows) return false;
    if (tc < 0 || tc >= g_.RowLength(tr)) return false;
    if (cells_[tr][tc] >= 0) return false;
    *targetRow = tr;
    *targetCol = tc;
    return true;
}

int ShotRules::CeilingColumn(int x) const {
    const int col = (x + g_.cellWidth / 2 - g_.fieldLeft) / g_.cellWidth;
    const int length = g_.RowLength(0);
    if (col >= 0 && col < length && cells_[0][col] < 0) return col;
    if (col >= -1 && col < length - 1 && cells_[0][col + 1] < 0) return col + 1;
    if (col > 0 && col - 1 < length && cells_[0][col - 1] < 0) return col - 1;
    return -1;
}

int ShotRules::FloodGroup(int row, int col, int colour) {
    int& cell = cells_[row][col];
    // Marked members no longer give the colour modulo 9, so nothing is counted twice.
    if (cell < 0 || cell % 9 != colour) return 0;
    cell += kGroupMark;
    int count = 1;
    int rows[6], cols[6];
    const int n = g_.Neighbours(row, col, rows, cols);
    for (int i = 0; i < n; ++i)
        count += FloodGroup(rows[i], cols[i], colour);
    return count;
}

void ShotRules::UnmarkGroup() {
    for (int r = 0; r < kShotRows; ++r)
        for (int c = 0; c < g_.RowLength(r); ++c)
            if (cells_[r][c] >= kGroupMark) cells_[r][c] -= kGroupMark;
}

void ShotRules::MarkConnected(int row, int col) {
    int& cell = cells_[row][col];
    if (cell < 0 || cell >= kConnectedMark) return;
    cell += kConnectedMark;
    int rows[6], cols[6];
    const int n = g_.Neighbours(row, col, rows, cols);
    for (int i = 0; i < n; ++i)
        MarkConnected(rows[i], cols[i]);
}

int ShotRules::RemoveGroup(const LeavingBubble& popped) {
    int removed = 0;
    for (int r = 0; r < kShotRows; ++r) {
        for (int c = 0; c < g_.RowLength(r); ++c) {
            if (cells_[r][c] < kGroupMark) continue;
            if (popped) popped(r, c, cells_[r][c] - kGroupMark);
            cells_[r][c] = -1;
            ++removed;
        }
    }
    return removed;
}

int ShotRules::DropUnconnected(const LeavingBubble& falling) {
    // A grey bubble in row 0 does not hold anything up by itself, but passes a hold on.
    for (int c = 0; c < g_.RowLength(0); ++c)
        if (cells_[0][c] > 0 && cells_[0][c] < kConnectedMark) MarkConnected(0, c);
    int fell = 0;
    for (int r = 0; r < kShotRows; ++r) {
        for (int c = 0; c < g_.RowLength(r); ++c) {
            const int code = cells_[r][c];
            if (code < 0) continue;
            if (code >= kGroupMark) {
                cells_[r][c] = code % kGroupMark;
                continue;
            }
            ++fell;
            if (falling) falling(r, c, code);
            cells_[r][c] = -1;
        }
    }
    return fell;
}
