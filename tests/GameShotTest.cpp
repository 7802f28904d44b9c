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

TEST_F(PlayTest, StraightShotClimbsTwentyTwoPixelsAFrameAndSticksToTheCeiling) {
    game->aimAngle = 90;
    game->nextColour = 3;
    game->Launch();
    game->Update();
    EXPECT_EQ(107, game->shotX);
    EXPECT_EQ(244, game->shotY);
    for (int i = 0; i < 10; ++i)
        game->Update();
    EXPECT_EQ(24, game->shotY);
    EXPECT_TRUE(game->shotFlying);
    game->Update();  // seven more pixels reach the ceiling at y 17, above column 4
    EXPECT_FALSE(game->shotFlying);
    EXPECT_EQ(3, game->field[0][4]);
    EXPECT_EQ(17, game->shotY);
}

TEST_F(PlayTest, ShotAtTenDegreesBouncesOffTheRightWallAt184) {
    game->aimAngle = 10;
    game->Launch();
    for (int i = 0; i < 3; ++i)
        game->Update();
    EXPECT_EQ(173, game->shotX);
    EXPECT_EQ(257, game->shotY);  // the minor axis trails: 3 pixels a frame, not 4
    game->Update();
    EXPECT_EQ(184, game->shotX);
    EXPECT_EQ(255, game->shotY);
    EXPECT_EQ(-22, game->shotVX);
    EXPECT_EQ(4, game->shotVY);
    game->Update();
    EXPECT_EQ(162, game->shotX);
    EXPECT_EQ(252, game->shotY);
}

TEST_F(PlayTest, ShotAt170DegreesBouncesOffTheLeftWallOnePixelInside) {
    game->aimAngle = 170;
    game->Launch();
    for (int i = 0; i < 3; ++i)
        game->Update();
    EXPECT_EQ(44, game->shotX);
    EXPECT_EQ(257, game->shotY);
    game->Update();
    EXPECT_EQ(31, game->shotX);
    EXPECT_EQ(255, game->shotY);
    EXPECT_EQ(21, game->shotVX);
}

TEST_F(PlayTest, LevelShotAtTheCandidatesXGoesRightOfALongRowAndLeftOfAShortRow) {
    game->field[2][3] = 1;  // long row: origin (96, 55)
    game->shotX = 96;
    game->shotY = 55;
    ASSERT_TRUE(game->AttachShot(2, 3, 2));
    EXPECT_EQ(2 + 10000, game->field[2][4]);  // still marked until the bookkeeping
    game->UnmarkGroup();

    game->shotX = 95;
    ASSERT_TRUE(game->AttachShot(2, 3, 2));
    EXPECT_EQ(2, game->field[2][2] - 10000);
    game->UnmarkGroup();

    game->field[3][3] = 1;  // short row: origin (107, 74)
    game->shotX = 107;
    game->shotY = 79;  // still level: the band reaches 5 pixels either way
    ASSERT_TRUE(game->AttachShot(3, 3, 2));
    EXPECT_EQ(2 + 10000, game->field[3][2]);
    game->UnmarkGroup();
    game->shotX = 108;
    game->shotY = 69;
    ASSERT_TRUE(game->AttachShot(3, 3, 2));
    EXPECT_EQ(2 + 10000, game->field[3][4]);
}

TEST_F(PlayTest, AttachTargetsAboveAndBelowFollowTheRowShape) {
    struct Case {
        int row, col, x, y, targetRow, targetCol;
    };
    // Long candidate (2, 3) at (96, 55); short candidate (3, 2) at (85, 74); long (2, 7) at
    // (184, 55).
    const Case cases[] = {
        {2, 3, 95, 49, 1, 2}, {2, 3, 96, 49, 1, 3}, {2, 3, 95, 61, 3, 2},
        {2, 3, 96, 61, 3, 3}, {3, 2, 85, 68, 2, 2}, {3, 2, 86, 68, 2, 3},
        {3, 2, 85, 80, 4, 2}, {3, 2, 86, 80, 4, 3}, {2, 7, 184, 61, 3, 6},
    };
    for (const Case& c : cases) {
        ClearField();
        game->field[c.row][c.col] = 1;
        game->shotX = c.x;
        game->shotY = c.y;
        ASSERT_TRUE(game->AttachShot(c.row, c.col, 2)) << c.row << "," << c.col;
        EXPECT_EQ(2 + 10000, game->field[c.targetRow][c.targetCol])
            << "shot at " << c.x << "," << c.y;
    }
}

TEST_F(PlayTest, NoFreeCellFacingTheShotLetsTheNextCandidateTry) {
    game->field[1][6] = 1;  // short row, origin (173, 36): nothing to its right
    game->shotX = 176;
    game->shotY = 36;
    EXPECT_FALSE(game->AttachShot(1, 6, 2));
    game->field[2][2] = 1;
    game->field[2][3] = 1;
    game->shotX = 100;
    game->shotY = 55;  // level and right of (2, 2), whose right-hand cell is taken
    EXPECT_FALSE(game->AttachShot(2, 2, 2));
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(c == 6 ? 1 : -1, game->field[1][c]);
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

TEST_F(PlayTest, SmallGroupIsUnmarkedAndCountsAMiss) {
    game->field[0][3] = 1;
    game->field[0][4] = 2;
    game->aimAngle = 90;
    game->nextColour = 1;
    game->missCount = 6;
    game->Launch();
    ASSERT_TRUE(UpdateUntilLanded());
    EXPECT_EQ(1, game->field[1][3]);
    EXPECT_EQ(1, game->field[0][3]);
    EXPECT_EQ(2, game->field[0][4]);
    EXPECT_EQ(2, game->matchCount);
    EXPECT_EQ(7, game->missCount);
    EXPECT_EQ(Rival::kFlag, game->rival->pose);  // the seventh miss in a row
    EXPECT_EQ(0, game->GetScore());
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

TEST_F(PlayTest, ThirteenthCountedShotLowersTheCeilingWhenItLands) {
    game->field[0][3] = 1;
    game->aimAngle = 90;
    game->nextColour = 2;
    game->shotsSinceDrop = 13;
    game->Launch();
    ASSERT_TRUE(UpdateUntilLanded());
    EXPECT_EQ(0, game->shotsSinceDrop);
    EXPECT_EQ(36, game->fieldTop);
    EXPECT_EQ(10, game->deadlineRow);
    game->DropCeiling();
    game->DropCeiling();
    EXPECT_EQ(17 + 3 * 19, game->fieldTop);
    EXPECT_EQ(8, game->deadlineRow);
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
    EXPECT_EQ(17, game->fieldTop);
    EXPECT_EQ(11, game->deadlineRow);

    game->DropCeiling();
    EXPECT_EQ(0, game->rowParity);
    EXPECT_FALSE(game->rowParityFlag);
    EXPECT_EQ(8, game->RowLength(0));
}

TEST_F(PlayTest, IdleLauncherFiresOnThe181stFrame) {
    for (int i = 0; i < 180; ++i)
        game->Update();
    EXPECT_FALSE(game->shotFlying);
    EXPECT_EQ(180, game->idleFrames);
    game->Update();
    EXPECT_TRUE(game->shotFlying);
    EXPECT_EQ(1, game->shotsSinceDrop);
    EXPECT_FALSE(game->bigFish->active);  // only key launches swing the fish
}

TEST_F(PlayTest, AutomaticLaunchLowersTheCeilingAtOnceOnTheThirteenthCount) {
    game->shotsSinceDrop = 12;
    game->idleFrames = 180;
    game->Update();
    EXPECT_TRUE(game->shotFlying);
    EXPECT_EQ(0, game->shotsSinceDrop);
    EXPECT_EQ(36, game->fieldTop);
}

TEST_F(PlayTest, NoAutomaticLaunchWhileLaunchingIsOffOrTheGameIsLost) {
    game->idleFrames = 500;
    game->launchEnabled = false;
    game->Update();
    EXPECT_FALSE(game->shotFlying);
    EXPECT_EQ(500, game->idleFrames);
    game->launchEnabled = true;
    game->running = false;
    game->Update();
    EXPECT_FALSE(game->shotFlying);
    game->running = true;
    game->Update();
    EXPECT_TRUE(game->shotFlying);
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
    game->LoseStep();
    EXPECT_EQ(0, game->field[5][2]);
    EXPECT_EQ(kStatePlay, game->state);
    // All grey: the lose sequence presses the A button, a fire key on this device.
    game->LoseStep();
    EXPECT_EQ(kStateHiScores, game->state);
    EXPECT_EQ(0, game->hiScoreReturnState);
    EXPECT_FALSE(game->losing);
    EXPECT_FALSE(game->running);
}

TEST_F(PlayTest, UpdateRunsTheLoseSequenceWhileLosing) {
    game->field[4][4] = 2;
    game->losing = true;
    game->idleFrames = 300;
    game->Update();
    EXPECT_EQ(0, game->field[4][4]);
    EXPECT_FALSE(game->shotFlying);  // no automatic launch after a loss
}

}  // namespace
