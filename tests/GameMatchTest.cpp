// Groups, popping, falling and their points.
#include <cstdlib>

#include "actors/BreakEffect.h"
#include "actors/FallingBubbleEffect.h"
#include "actors/FishEffect.h"
#include "actors/ScoreTextEffect.h"
#include "game/GameRandom.h"
#include "gfx/ScoreCounter.h"
#include "tests/PlayFixture.h"

namespace {

using test::PlayTest;

class MatchTest : public PlayTest {
  protected:
    int Bubbles() const {
        int n = 0;
        for (const auto& row : game->field)
            for (int cell : row)
                n += cell >= 0;
        return n;
    }
    // Marks (row, col) as the only member of a popped group.
    void MarkPopped(int row, int col, int colour) {
        game->field[row][col] = colour + 10000;
        game->matchCount = 3;
    }
};

TEST_F(MatchTest, PairIsCountedAndUnmarkedBackToItsColours) {
    game->field[0][0] = 1;
    game->field[0][1] = 1;
    game->field[1][0] = 2;
    game->matchCount = 0;
    game->FloodGroup(0, 1, 1);
    EXPECT_EQ(2, game->matchCount);
    EXPECT_EQ(10001, game->field[0][0]);
    EXPECT_EQ(10001, game->field[0][1]);
    game->UnmarkGroup();
    EXPECT_EQ(1, game->field[0][0]);
    EXPECT_EQ(1, game->field[0][1]);
    EXPECT_EQ(2, game->field[1][0]);
}

TEST_F(MatchTest, NewBubbleJoiningTwoPairsMakesOneGroupOfFive) {
    game->field[0][0] = 8;
    game->field[0][1] = 8;
    game->field[0][3] = 8;
    game->field[0][4] = 8;
    game->field[0][2] = 8;
    game->field[1][1] = 0;  // grey never matches
    game->field[1][2] = 3;
    game->field[2][2] = 8;  // same colour, but reached only through the grey and the 3
    game->matchCount = 0;
    game->FloodGroup(0, 2, 8);
    EXPECT_EQ(5, game->matchCount);
    EXPECT_EQ(8, game->field[2][2]);
    EXPECT_EQ(0, game->field[1][1]);
}

TEST_F(MatchTest, NeighboursFollowTheParityAfterAPush) {
    game->field[0][2] = 1;
    game->field[1][3] = 1;
    game->field[1][4] = 1;
    game->matchCount = 0;
    game->FloodGroup(0, 2, 1);  // long row 0: (1, 3) is not a neighbour
    EXPECT_EQ(1, game->matchCount);
    game->UnmarkGroup();

    game->pushMode = true;
    game->rowParityFlag = true;
    game->rowParity = 1;  // row 0 is now short: (1, 2) and (1, 3) lie below it
    game->matchCount = 0;
    game->FloodGroup(0, 2, 1);
    EXPECT_EQ(3, game->matchCount);
}

TEST_F(MatchTest, PopCreatesBreakFishAndScoreEffectsOverTheBubble) {
    game->field[0][0] = 2;  // holds nothing up; stays
    MarkPopped(10, 3, 4);
    // The fish's speeds come from the random sequence vertical first; the sequence is moved on
    // until its next two draws differ mod 5, so swapped draws would show.
    int first = 0, second = 0;
    for (;;) {
        GameRandom ahead = GameRandomSequence();
        first = ahead.Next() % 5;
        second = ahead.Next() % 5;
        if (first != second) break;
        GameRand();
    }
    game->PopGroup();
    ASSERT_EQ(2, game->lastEffect);
    auto* burst = dynamic_cast<BreakEffect*>(game->effects[0]);
    auto* fish = dynamic_cast<FishEffect*>(game->effects[1]);
    auto* points = dynamic_cast<ScoreTextEffect*>(game->effects[2]);
    ASSERT_TRUE(burst && fish && points);
    EXPECT_EQ(107, burst->x);
    EXPECT_EQ(228, burst->y);  // rows of 20 pixels for the effects
    EXPECT_EQ(4, burst->colour);
    EXPECT_EQ(107, fish->x);
    EXPECT_EQ(225, fish->y);
    EXPECT_EQ(4, fish->colour);
    EXPECT_EQ(first + 6, fish->vy);
    EXPECT_EQ(second, fish->vx);
    EXPECT_EQ(30, points->value);
    EXPECT_EQ(-1, game->field[10][3]);
    EXPECT_EQ(2, game->field[0][0]);
    EXPECT_EQ(0, game->GetScore());

    // A shifted row's effects sit half a cell further right; a bubble cut off falls from the
    // same kind of place.
    MarkPopped(0, 0, 2);
    game->field[1][0] = 7;
    game->matchCount = 5;
    game->PopGroup();
    auto* text = dynamic_cast<ScoreTextEffect*>(game->effects[5]);
    auto* fallen = dynamic_cast<FallingBubbleEffect*>(game->effects[6]);
    ASSERT_TRUE(text && fallen);
    EXPECT_EQ(90, text->value);
    EXPECT_EQ(30 + 11 + 11, fallen->x);
    EXPECT_EQ(17 + 20 + 11, fallen->y);
    EXPECT_EQ(7, fallen->code);
}

TEST_F(MatchTest, FallingBubblesEarnSquarePointsAndATierBonus) {
    struct Case {
        int falling, points;
    };
    const Case cases[] = {{0, 0},       {1, 80},      {2, 320},     {3, 5360},    {4, 5640},
                          {5, 11000},   {7, 11960},   {8, 52560},   {11, 54840},  {12, 105760},
                          {15, 109000}, {16, 510240}, {19, 514440}, {20, 1016000}};
    for (const Case& c : cases) {
        ClearField();
        game->ClearEffects();
        game->score->Set(0);
        MarkPopped(0, 0, 1);
        // Loose bubbles from row 2 on, out of touch with the ceiling once (0, 0) is gone.
        for (int i = 0, r = 2; i < c.falling; ++r)
            for (int col = 0; col < game->RowLength(r) && i < c.falling; ++col, ++i)
                game->field[r][col] = 1 + i % 8;
        game->PopGroup();
        EXPECT_EQ(c.points, game->GetScore()) << c.falling << " falling";
        EXPECT_EQ(0, Bubbles());
    }
}

TEST_F(MatchTest, PopInTheTopRowKeepsWhatHangsFromOtherTopRowBubbles) {
    for (int c = 0; c < 3; ++c)
        game->field[0][c] = 10001;
    game->matchCount = 3;
    game->field[0][3] = 2;
    game->field[1][2] = 3;  // hangs from (0, 2) and (0, 3)
    game->field[2][2] = 4;
    game->PopGroup();
    EXPECT_EQ(0, game->GetScore());
    EXPECT_EQ(2, game->field[0][3]);
    EXPECT_EQ(3, game->field[1][2]);
    EXPECT_EQ(4, game->field[2][2]);
    EXPECT_EQ(3, Bubbles());
}

TEST_F(MatchTest, GreyBubblesPassTheCeilingsHoldOnButDoNotStartIt) {
    MarkPopped(0, 3, 1);
    game->field[0][0] = 5;
    game->field[1][0] = 0;  // grey
    game->field[2][0] = 6;
    game->PopGroup();
    EXPECT_EQ(0, game->GetScore());
    EXPECT_EQ(5, game->field[0][0]);
    EXPECT_EQ(0, game->field[1][0]);
    EXPECT_EQ(6, game->field[2][0]);

    ClearField();
    MarkPopped(0, 3, 1);
    game->field[0][0] = 0;  // a grey top-row bubble holds nothing up
    game->field[1][0] = 6;
    game->PopGroup();
    EXPECT_EQ(160 + 160, game->GetScore());
    EXPECT_EQ(0, Bubbles());
}

// A long push game must not wrap to a negative score.
TEST_F(MatchTest, TheScoreStopsAtTheLargestInt) {
    game->score->Set(2147483000);
    game->score->Add(1000000);
    EXPECT_EQ(2147483647, game->GetScore());
}

}  // namespace
