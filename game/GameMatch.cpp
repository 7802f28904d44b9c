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
#include "game/GameRandom.h"
#include "gfx/ScoreCounter.h"

namespace {

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
    matchCount += Rules().FloodGroup(row, col, colour);
}

void Game::UnmarkGroup() {
    Rules().UnmarkGroup();
}

void Game::MarkConnected(int row, int col) {
    Rules().MarkConnected(row, col);
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
    ShotRules rules = Rules();
    rules.RemoveGroup([&](int r, int c, int colour) {
        assert(colour >= 1 && colour <= 8);
        const int x = EffectX(r, c), y = EffectY(r);
        AddEffect(new BreakEffect(x, y, colour));
        const int fishVy = GameRand() % 5 + 6;
        const int fishVx = GameRand() % 5;
        AddEffect(new FishEffect(x, y - 3, colour, fishVx, fishVy));
        AddEffect(new ScoreTextEffect(x, y, pointsEach));
    });
    const int falling = rules.DropUnconnected([&](int r, int c, int code) {
        assert(code >= 0 && code <= 8);
        AddEffect(new FallingBubbleEffect(EffectX(r, c), EffectY(r), code, ballImages));
    });
    if (score) score->Add(falling * falling * 40);
    if (falling >= 3) AddEffect(new BonusEffect(fieldLeft + 20, 60, falling));
    if (score) score->Add(FallingTierBonus(falling));
}
