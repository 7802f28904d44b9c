#include "tests/GameInvariants.h"

#include <gtest/gtest.h>

#include "game/Game.h"

void GameInvariants::Check(const Game& g) {
    ++frames_;
    ASSERT_GE(g.state, 0);
    ASSERT_LE(g.state, 4);
    ++statesSeen_[g.state];
    ASSERT_GE(g.lastEffect, -1);
    ASSERT_LT(g.lastEffect, kMaxEffects);
    // Keys and pointer alike leave the launcher on an angle the keys can reach.
    ASSERT_TRUE(g.aimAngle >= 10 && g.aimAngle <= 170 && (g.aimAngle - 90) % 4 == 0) << g.aimAngle;
    for (const auto& row : g.field)
        for (int cell : row)
            ASSERT_TRUE(cell >= -1 && cell <= 8) << "cell " << cell;
    const int score = g.GetScore();
    // A score only drops when a new game or a retry starts it again from zero.
    ASSERT_TRUE(score >= lastScore_ || score == 0)
        << lastScore_ << " -> " << score << " at frame " << frames_;
    lastScore_ = score;
}
