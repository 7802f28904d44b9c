// The frame's play logic: launch, flight, snapping, ceiling, lose sequence, turning.
#include <climits>

#include "actors/BigFish.h"
#include "actors/BonusEffect.h"
#include "actors/Rival.h"
#include "gfx/ScoreCounter.h"
#include "tests/PlayFixture.h"

namespace {

using test::PlayTest;

TEST_F(PlayTest, LaunchVelocityRoundsHalfUpThenTruncates) {
    struct Case {
        int angle, vx, vy;
    };
    const Case cases[] = {{90, 0, 22},    {86, 2, 22}, {94, -1, 22}, {46, 15, 16},
                          {130, -13, 17}, {10, 22, 4}, {170, -21, 4}};
    for (const Case& c : cases) {
        game->shotFlying = false;
        game->aimAngle = c.angle;
        game->idleFrames = 33;
        game->Launch();
        EXPECT_EQ(c.vx, game->shotVX) << c.angle;
        EXPECT_EQ(c.vy, game->shotVY) << c.angle;
        EXPECT_EQ(107, game->shotX);
        EXPECT_EQ(266, game->shotY);
        EXPECT_TRUE(game->shotFlying);
        EXPECT_EQ(0, game->idleFrames);
    }
}

TEST_F(PlayTest, LaunchAdvancesTheQueueWithAColourFromTheField) {
    game->field[3][3] = 5;
    game->field[6][0] = 5;
    game->nextColour = 1;
    game->afterNextColour = 2;
    game->Launch();
    EXPECT_EQ(1, game->shotColour);
    EXPECT_EQ(2, game->nextColour);
    EXPECT_EQ(5, game->afterNextColour);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(k == 4, game->colourPresent[k]) << k;

    // An empty field may bring any colour.
    ClearField();
    game->Launch();
    EXPECT_GE(game->afterNextColour, 1);
    EXPECT_LE(game->afterNextColour, 8);
}

TEST_F(PlayTest, FlightMovesPixelByPixelWithTheMinorAxisTrailingAndBouncesOffTheWalls) {
    struct Case {
        int angle, frames, x, y, vx;
    };
    const Case cases[] = {
        {90, 1, 107, 244, 0},   {90, 11, 107, 24, 0},  // 22 pixels a frame, straight up
        {10, 3, 173, 257, 22},                         // 3 pixels up a frame, not 4
        {10, 4, 184, 255, -22}, {10, 5, 162, 252, -22}, {170, 3, 44, 257, -21},
        {170, 4, 31, 255, 21},  // the left wall puts the shot one pixel inside
    };
    for (const Case& c : cases) {
        game->aimAngle = c.angle;
        game->Launch();
        for (int i = 0; i < c.frames; ++i)
            game->Update();
        EXPECT_EQ(c.x, game->shotX) << c.angle << " after " << c.frames;
        EXPECT_EQ(c.y, game->shotY) << c.angle << " after " << c.frames;
        EXPECT_EQ(c.vx, game->shotVX) << c.angle << " after " << c.frames;
    }
    // Seven more pixels reach the ceiling at y 17, over column 4.
    game->aimAngle = 90;
    game->nextColour = 3;
    game->Launch();
    for (int i = 0; i < 12; ++i)
        game->Update();
    EXPECT_FALSE(game->shotFlying);
    EXPECT_EQ(3, game->field[0][4]);
}

TEST_F(PlayTest, NewBubbleGoesIntoTheCellFacingTheShot) {
    struct Case {
        int row, col, x, y, targetRow, targetCol;  // target -1: no free cell there
    };
    // Long candidates (2, 3) at (96, 55) and (2, 7) at (184, 55); short ones (3, 2) at
    // (85, 74), (3, 3) at (107, 74) and (1, 6) at (173, 36). Level is within 5 pixels.
    const Case cases[] = {
        {2, 3, 96, 55, 2, 4},  {2, 3, 95, 55, 2, 2},   // level at cx: right of a long row
        {3, 3, 107, 79, 3, 2}, {3, 3, 108, 69, 3, 4},  // ... and left of a short one
        {2, 3, 95, 49, 1, 2},  {2, 3, 96, 49, 1, 3},    {2, 3, 95, 61, 3, 2}, {2, 3, 96, 61, 3, 3},
        {3, 2, 85, 68, 2, 2},  {3, 2, 86, 68, 2, 3},    {3, 2, 85, 80, 4, 2}, {3, 2, 86, 80, 4, 3},
        {2, 7, 184, 61, 3, 6}, {1, 6, 176, 36, -1, -1},  // nothing right of a short row's last cell
    };
    for (const Case& c : cases) {
        ClearField();
        game->field[c.row][c.col] = 1;
        game->shotX = c.x;
        game->shotY = c.y;
        const bool attached = game->AttachShot(c.row, c.col, 2);
        EXPECT_EQ(c.targetRow >= 0, attached) << c.row << "," << c.col << " " << c.x << "," << c.y;
        if (attached) {
            EXPECT_EQ(2 + 10000, game->field[c.targetRow][c.targetCol])  // marked until scored
                << "shot at " << c.x << "," << c.y;
        }
    }
}

TEST_F(PlayTest, CandidatesAreKeptNearestFirstAndTiesKeepTheEarlierFind) {
    // Three bubbles round the shot, every free cell facing it taken by another of them: the
    // shot stays in the air and the step's candidates remain to be seen.
    game->field[2][3] = 1;  // (96, 55)
    game->field[2][4] = 2;  // (118, 55)
    game->field[3][3] = 3;  // (107, 74)
    Fly(107, 64, 0, 1, 4);
    game->Update();
    ASSERT_TRUE(game->shotFlying);
    EXPECT_EQ(63, game->shotY);
    EXPECT_EQ(3, game->candRow[0]);
    EXPECT_EQ(3, game->candCol[0]);
    EXPECT_EQ(121, game->candDist[0]);
    EXPECT_EQ(2, game->candRow[1]);
    EXPECT_EQ(3, game->candCol[1]);
    EXPECT_EQ(185, game->candDist[1]);
    EXPECT_EQ(2, game->candRow[2]);
    EXPECT_EQ(4, game->candCol[2]);
    EXPECT_EQ(185, game->candDist[2]);
    for (int k = 3; k < 6; ++k)
        EXPECT_EQ(INT_MAX, game->candDist[k]);
}

TEST_F(PlayTest, CeilingAttachTakesTheCellUnderTheShotThenRightThenLeft) {
    game->AttachAtCeiling(118, 2);  // (118 + 11 - 30) / 22 = column 4
    EXPECT_EQ(2, game->field[0][4]);
    game->AttachAtCeiling(118, 3);
    EXPECT_EQ(3, game->field[0][5]);
    game->AttachAtCeiling(118, 5);
    EXPECT_EQ(5, game->field[0][3]);
    game->matchCount = 7;
    game->AttachAtCeiling(118, 6);  // all three taken: nothing placed, nothing scored
    EXPECT_EQ(0, game->matchCount);
    EXPECT_EQ(0, game->GetScore());
    const int expected[8] = {-1, -1, -1, 5, 2, 3, -1, -1};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(expected[c], game->field[0][c]) << c;
}

TEST_F(PlayTest, GroupScoresGrowWithTheGroupAndFivePopsCheerTheRival) {
    // The straight shot meets (0, 3) at y 29 and settles in (1, 3) below it; the rest of the
    // group is out of the shot's reach.
    const int group[][2] = {{0, 3}, {0, 4}, {1, 2}, {1, 4}, {0, 2}};
    const int expectedScore[] = {90, 240, 450, 720};
    for (int n = 3; n <= 6; ++n) {
        ClearField();
        game->score->Set(0);
        game->rival->Walk();
        for (int i = 0; i < n - 1; ++i)
            game->field[group[i][0]][group[i][1]] = 1;
        game->aimAngle = 90;
        game->nextColour = 1;
        game->Launch();
        ASSERT_TRUE(UpdateUntilLanded());
        EXPECT_EQ(expectedScore[n - 3], game->GetScore()) << n;
        EXPECT_EQ(n >= 5, game->rival->pose == Rival::kWin) << n;
        for (const auto& row : game->field)
            for (int cell : row)
                EXPECT_EQ(-1, cell);
        EXPECT_EQ(0, game->missCount);
    }
}

TEST_F(PlayTest, CeilingPopOfFourCheersWhenItsFallingBonusTakesItPast300) {
    game->field[0][0] = 1;
    game->field[0][1] = 1;
    game->field[0][2] = 1;
    game->field[1][0] = 2;  // hangs from (0, 0) and (0, 1) only
    game->AttachAtCeiling(96, 1);
    EXPECT_EQ(240 + 40 + 40, game->GetScore());
    EXPECT_EQ(Rival::kWin, game->rival->pose);
}

TEST_F(PlayTest, CuttingOffThreeBubblesEarnsTheFirstTierBonus) {
    game->field[0][0] = 1;
    game->field[0][1] = 1;
    game->field[1][0] = 2;
    game->field[1][1] = 3;
    game->field[2][0] = 4;
    game->AttachAtCeiling(74, 1);  // column 2 completes the group of three
    EXPECT_EQ(90 + 360 + 5000, game->GetScore());
    bool bonusShown = false;
    for (int i = 0; i <= game->lastEffect; ++i)
        if (auto* bonus = dynamic_cast<BonusEffect*>(game->effects[i]))
            bonusShown = bonus->value == 3 && bonus->x == 50 && bonus->y == 60;
    EXPECT_TRUE(bonusShown);
    for (const auto& row : game->field)
        for (int cell : row)
            EXPECT_EQ(-1, cell);
}

TEST_F(PlayTest, ShotTouchingTheLastRowEndsWithoutABubbleOrAStaleGroup) {
    game->field[11][3] = 1;  // (96, 226)
    game->matchCount = 5;    // left over from an earlier pop
    Fly(100, 236, 0, 22, 1);
    game->Update();
    EXPECT_FALSE(game->shotFlying);
    EXPECT_EQ(0, game->matchCount);
    EXPECT_EQ(0, game->GetScore());
    EXPECT_EQ(-1, game->lastEffect);  // no pop effects
    int bubbles = 0;
    for (const auto& row : game->field)
        for (int cell : row)
            bubbles += cell >= 0;
    EXPECT_EQ(1, bubbles);
}

TEST_F(PlayTest, PushModeCeilingShiftsRowsAndFlipsTheParity) {
    game->pushMode = true;
    for (int c = 0; c < 8; ++c)
        game->field[0][c] = c + 1;
    for (int c = 0; c < 7; ++c)
        game->field[1][c] = 8 - c;
    game->field[11][0] = 4;  // falls off the bottom
    game->DropCeiling();
    EXPECT_EQ(1, game->rowParity);
    EXPECT_TRUE(game->rowParityFlag);
    EXPECT_EQ(7, game->RowLength(0));
    EXPECT_EQ(8, game->RowLength(1));
    for (int c = 0; c < 7; ++c) {
        EXPECT_GE(game->field[0][c], 1);
        EXPECT_LE(game->field[0][c], 8);
    }
    EXPECT_EQ(-1, game->field[0][7]);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(c + 1, game->field[1][c]);
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(8 - c, game->field[2][c]);
    EXPECT_EQ(-1, game->field[11][0]);
    // Every old bubble keeps its screen column one row lower.
    EXPECT_EQ(30, game->CellX(1, 0));
    EXPECT_EQ(41, game->CellX(2, 0));

    game->DropCeiling();
    EXPECT_EQ(0, game->rowParity);
    EXPECT_FALSE(game->rowParityFlag);
    EXPECT_EQ(8, game->RowLength(0));
    // A rounds game after a push game starts with the long rows on top again.
    game->DropCeiling();
    game->SelectRoundsMode();
    EXPECT_EQ(8, game->RowLength(0));
    EXPECT_EQ(30, game->CellX(0, 0));  // and not shifted
}

TEST_F(PlayTest, IdleLauncherFiresOnThe181stFrameAndCountsTheShotAtOnce) {
    for (int i = 0; i < 180; ++i)
        game->Update();
    EXPECT_FALSE(game->shotFlying);
    game->Update();
    EXPECT_TRUE(game->shotFlying);
    EXPECT_EQ(1, game->shotsSinceDrop);
    EXPECT_FALSE(game->bigFish->active);  // only key launches swing the fish

    game->shotFlying = false;
    game->shotsSinceDrop = 12;
    game->idleFrames = 180;
    game->Update();
    EXPECT_EQ(0, game->shotsSinceDrop);
    EXPECT_EQ(36, game->fieldTop);

    game->shotFlying = false;
    game->idleFrames = 500;
    game->launchEnabled = false;  // the round-clear sequence
    game->Update();
    EXPECT_FALSE(game->shotFlying);
    EXPECT_EQ(500, game->idleFrames);
}

TEST_F(PlayTest, LoseStepGreysOneBubbleAtATimeBottomFirstThenEndsTheGame) {
    game->field[5][2] = 3;
    game->field[10][1] = 4;
    game->field[10][5] = 5;
    game->shotFlying = true;
    game->LoseStep();
    EXPECT_TRUE(game->losing);
    EXPECT_FALSE(game->shotFlying);
    EXPECT_FALSE(game->rivalLoseArmed);
    EXPECT_EQ(Rival::kLose, game->rival->pose);
    EXPECT_EQ(0, game->field[10][1]);
    EXPECT_EQ(5, game->field[10][5]);
    game->LoseStep();
    EXPECT_EQ(0, game->field[10][5]);
    EXPECT_EQ(3, game->field[5][2]);
    game->idleFrames = 300;
    game->Update();  // the frame's update takes a step too, and launches nothing
    EXPECT_FALSE(game->shotFlying);
    EXPECT_EQ(0, game->field[5][2]);
    EXPECT_EQ(kStatePlay, game->state);
    // All grey: the lose sequence presses the A button, a fire key on this device.
    game->LoseStep();
    EXPECT_EQ(kStateHiScores, game->state);
    EXPECT_EQ(0, game->hiScoreReturnState);
    EXPECT_FALSE(game->losing);
    EXPECT_FALSE(game->running);
}

}  // namespace
