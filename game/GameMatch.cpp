// Groups, popping and falling: the new bubble's colour group is marked (+ 10000); a group of
// three or more pops, and whatever no longer hangs from the ceiling (+ 100000) falls.
#include <cassert>
#include <cstdlib>

#include "actors/BonusEffect.h"
#include "actors/BreakEffect.h"
#include "actors/FallingBubbleEffect.h"
#include "actors/FishEffect.h"
#include "actors/ScoreTextEffect.h"
#include "game/Game.h"
#include "gfx/ScoreCounter.h"

namespace {

constexpr int kGroupMark = 10000;
constexpr int kConnectedMark = 100000;

// The extra bonus for f bubbles brought down by one pop.
int FallingTierBonus(int f) {
    if (f >= 20) return 1000000;
    if (f >= 16) return 500000;
    if (f >= 12) return 100000;
    if (f >= 8) return 50000;
    if (f >= 5) return 10000;
    if (f >= 3) return 5000;
    return f * f * 40;
}

}  // namespace

void Game::FloodGroup(int row, int col, int colour) {
    int& cell = field[row][col];
    // Marked members no longer give the colour modulo 9, so nothing is counted twice.
    if (cell < 0 || cell % 9 != colour) return;
    ++matchCount;
    cell += kGroupMark;
    int rows[6], cols[6];
    const int n = Neighbours(row, col, rows, cols);
    for (int i = 0; i < n; ++i)
        FloodGroup(rows[i], cols[i], colour);
}

void Game::UnmarkGroup() {
    for (int r = 0; r < kFieldRows; ++r)
        for (int c = 0; c < RowLength(r); ++c)
            if (field[r][c] >= kGroupMark) field[r][c] -= kGroupMark;
}

void Game::MarkConnected(int row, int col) {
    int& cell = field[row][col];
    if (cell < 0 || cell >= kConnectedMark) return;
    cell += kConnectedMark;
    int rows[6], cols[6];
    const int n = Neighbours(row, col, rows, cols);
    for (int i = 0; i < n; ++i)
        MarkConnected(rows[i], cols[i]);
}

int Game::EffectX(int row, int col) const {
    return CellX(row, col) + cellWidth / 2;
}

int Game::EffectY(int row) const {
    // The effects were always laid out one pixel further apart per row than the bubbles.
    return fieldTop + row * (rowHeight + 1) + cellWidth / 2;
}

void Game::PopGroup() {
    const int pointsEach = (matchCount - 2) * 30;
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < RowLength(r); ++c) {
            if (field[r][c] < kGroupMark) continue;
            const int colour = field[r][c] - kGroupMark;
            assert(colour >= 1 && colour <= 8);
            const int x = EffectX(r, c), y = EffectY(r);
            AddEffect(new BreakEffect(x, y, colour));
            const int fishVy = std::rand() % 5 + 6;
            const int fishVx = std::rand() % 5;
            AddEffect(new FishEffect(x, y - 3, colour, fishVx, fishVy));
            AddEffect(new ScoreTextEffect(x, y, pointsEach));
            field[r][c] = kEmptyCell;
        }
    }
    // A grey bubble in row 0 does not hold anything up by itself, but passes a hold on.
    for (int c = 0; c < RowLength(0); ++c)
        if (field[0][c] > 0 && field[0][c] < kConnectedMark) MarkConnected(0, c);
    int falling = 0;
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < RowLength(r); ++c) {
            const int code = field[r][c];
            if (code < 0) continue;
            if (code >= kGroupMark) {
                field[r][c] = code % kGroupMark;
                continue;
            }
            ++falling;
            assert(code >= 0 && code <= 8);
            AddEffect(new FallingBubbleEffect(EffectX(r, c), EffectY(r), code, ballImages));
            field[r][c] = kEmptyCell;
        }
    }
    if (score) score->Add(falling * falling * 40);
    if (falling >= 3) AddEffect(new BonusEffect(fieldLeft + 20, 60, falling));
    if (score) score->Add(FallingTierBonus(falling));
}
