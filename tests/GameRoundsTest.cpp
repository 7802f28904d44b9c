// Round flow: new game, retry, launcher colours, bosses, the round-clear sequence, progress.
#include "actors/BreakEffect.h"
#include "actors/Rival.h"
#include "bosses/InsectBoss.h"
#include "gfx/ScoreCounter.h"
#include "tests/PlayFixture.h"

namespace {

using test::FakeBoss;
using test::PlayTest;

class RoundsTest : public PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        std::vector<uint8_t> rounds = test::EmptyRoundFile();
        test::SetRoundCell(rounds, 1, 0, 0, 3);
        test::SetRoundCell(rounds, 1, 1, 6, 3);
        test::SetRoundCell(rounds, 2, 0, 7, 6);
        test::SetRoundCell(rounds, 2, 10, 0, 6);
        test::SetRoundCell(rounds, 2, 3, 2, 9);  // not a colour: empty
        WriteRounds(rounds);
    }

    // Runs the clear sequence for n frames.
    void RunClear(int n) {
        for (int i = 0; i < n; ++i)
            game->RunClearSequence(frame.Buffer());
    }

    test::Frame frame;
};

// A game depends on nothing the one before it left: a replay of it starts from its own start.
TEST_F(RoundsTest, EveryStartOfPlayResetsWhatTheLastGameLeft) {
    game->SelectPushMode();
    game->NewGame();
    game->rowParity = 1;
    game->rowParityFlag = true;
    game->aimAngle = 30;
    game->aimStep = 4;
    game->aimRepeatDelay = 3;
    game->pointerHeld = true;
    game->RetryRound();
    EXPECT_EQ(0, game->rowParity);
    EXPECT_FALSE(game->rowParityFlag);
    EXPECT_EQ(90, game->aimAngle);
    EXPECT_EQ(0, game->aimStep);
    EXPECT_EQ(0, game->aimRepeatDelay);
    EXPECT_FALSE(game->pointerHeld);
    // The insect met again starts where a new one does, not where the lost game left it.
    game->SelectRoundsMode();
    game->startRound = 11;
    game->NewGame();
    auto* insect = dynamic_cast<InsectBoss*>(game->boss);
    ASSERT_NE(nullptr, insect);
    const int madeAt = insect->posX;
    insect->posX += 44;
    game->RetryRound();
    insect = dynamic_cast<InsectBoss*>(game->boss);
    ASSERT_NE(nullptr, insect);
    EXPECT_EQ(madeAt, insect->posX);
}

TEST_F(RoundsTest, NewGameInRoundsModeLoadsTheStartRound) {
    game->SelectRoundsMode();
    game->startRound = 2;
    game->score->Set(999);
    game->fieldTop = 74;
    game->deadlineRow = 8;
    game->losing = true;
    game->aimAngle = 130;
    game->AddEffect(new BreakEffect(1, 1, 1));
    game->NewGame();
    EXPECT_EQ(2, game->round);
    EXPECT_EQ(6, game->field[0][7]);
    EXPECT_EQ(6, game->field[10][0]);
    EXPECT_EQ(-1, game->field[3][2]);
    EXPECT_EQ(0, game->GetScore());
    EXPECT_EQ(17, game->fieldTop);
    EXPECT_EQ(11, game->deadlineRow);
    EXPECT_FALSE(game->losing);
    EXPECT_EQ(0, game->lastEffect);
    EXPECT_EQ(nullptr, game->effects[0]);
    EXPECT_EQ(90, game->aimAngle);  // every game starts aiming straight up
    // The launcher only offers colours on the field.
    EXPECT_EQ(6, game->nextColour);
    EXPECT_EQ(6, game->afterNextColour);
    EXPECT_EQ(6, game->shotColour);
    EXPECT_EQ(nullptr, game->boss);
}

TEST_F(RoundsTest, NewGameInPushModeFillsFiveRandomRows) {
    game->SelectPushMode();
    game->NewGame();
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < game->RowLength(r); ++c) {
            if (r < 5) {
                EXPECT_GE(game->field[r][c], 1);
                EXPECT_LE(game->field[r][c], 8);
            } else {
                EXPECT_EQ(-1, game->field[r][c]);
            }
        }
    }
    EXPECT_EQ(nullptr, game->boss);
}

TEST_F(RoundsTest, RetryRestartsTheSameRoundFromAZeroScore) {
    game->SelectRoundsMode();
    game->round = 1;
    game->field[5][5] = 4;
    game->losing = true;
    game->rivalLoseArmed = false;
    game->score->Set(1234);
    game->rival->LoseReaction();
    game->RetryRound();
    EXPECT_EQ(1, game->round);
    EXPECT_EQ(3, game->field[0][0]);
    EXPECT_EQ(3, game->field[1][6]);
    EXPECT_EQ(-1, game->field[5][5]);
    EXPECT_EQ(0, game->GetScore());
    EXPECT_FALSE(game->losing);
    EXPECT_TRUE(game->rivalLoseArmed);
    EXPECT_EQ(Rival::kWalk, game->rival->pose);
    EXPECT_EQ(3, game->nextColour);
}

TEST_F(RoundsTest, NewGameAndRetryEndAnUnfinishedClearSequence) {
    for (int retry = 0; retry < 2; ++retry) {
        game->roundCleared = true;
        game->clearTimer = 25;
        game->clearBonus = 0;
        game->launchEnabled = false;
        if (retry)
            game->RetryRound();
        else
            game->NewGame();
        EXPECT_FALSE(game->roundCleared);
        EXPECT_EQ(40, game->clearTimer);
        EXPECT_EQ(-1, game->clearBonus);
        EXPECT_TRUE(game->launchEnabled);
    }
}

// A game left by the exit tap while its launcher was about to fire: the next game (or retry)
// waits the full time before its first automatic launch.
TEST_F(RoundsTest, NewGameAndRetryStartTheLaunchTimerFromZero) {
    for (int retry = 0; retry < 2; ++retry) {
        game->NewGame();
        game->state = kStatePlay;
        game->SetRunning();
        for (int i = 0; i < 170; ++i)
            game->Update();
        game->OnTap(210, 300);  // the exit picture
        ASSERT_EQ(kStateTitle, game->state);
        if (retry)
            game->RetryRound();
        else
            game->NewGame();
        EXPECT_EQ(0, game->idleFrames);
        game->state = kStatePlay;
        game->SetRunning();
        const int fired = game->shotsFired;
        for (int i = 0; i < 179; ++i)
            game->Update();
        EXPECT_EQ(fired, game->shotsFired) << (retry ? "retry" : "new game");
    }
}

TEST_F(RoundsTest, BossRoundsReuseTheirBossAndRearmItEveryTime) {
    auto* insect = new FakeBoss;  // owned by the game from here on
    game->bosses[kInsectBoss] = insect;
    game->round = 11;
    game->SetUpBoss();
    EXPECT_EQ(insect, game->boss);
    EXPECT_EQ(1, insect->starts);
    game->boss = nullptr;
    game->SetUpBoss();
    EXPECT_EQ(insect, game->boss);
    EXPECT_EQ(2, insect->starts);

    // No boss for an ordinary round; a boss round without one makes it once and keeps it.
    game->boss = nullptr;
    game->round = 12;
    game->SetUpBoss();
    EXPECT_EQ(nullptr, game->boss);
    game->round = 23;
    game->SetUpBoss();
    ASSERT_NE(nullptr, game->boss);
    Boss* crab = game->boss;
    EXPECT_EQ(crab, game->bosses[kCrabBoss]);
    game->SetUpBoss();
    EXPECT_EQ(crab, game->boss);
}

TEST_F(RoundsTest, LaterRoundsPayTenThousandAFrame) {
    game->round = 5;
    game->idleFrames = 40;
    game->roundCleared = true;
    game->shotsSinceDrop = 7;
    const int paid[5] = {10000, 20000, 30000, 40000, 40000 + 10000 + 98 * 98};
    for (int i = 0; i < 5; ++i) {
        RunClear(1);
        EXPECT_EQ(paid[i], game->GetScore()) << "frame " << i;
        EXPECT_EQ(i < 4 ? 40 : 39, game->clearTimer) << "frame " << i;
    }
    EXPECT_EQ(0, game->shotsSinceDrop);

    // Waiting 2000 frames or more leaves only the base 10.
    game->clearBonus = -1;
    game->score->Set(0);
    game->round = 1;
    game->idleFrames = 2000;
    RunClear(1);
    EXPECT_EQ(10010, game->GetScore());
}

TEST_F(RoundsTest, ClearSequenceRunsItsTimelineIntoTheNextRound) {
    game->round = 0;
    game->idleFrames = 7;
    game->roundCleared = true;
    game->fieldTop = 36;
    game->deadlineRow = 10;
    RunClear(20);
    EXPECT_EQ(0, game->round);
    EXPECT_EQ(20, game->clearTimer);
    RunClear(1);  // the round changes at 20
    EXPECT_EQ(1, game->round);
    EXPECT_EQ(19, game->clearTimer);
    EXPECT_EQ(3, game->field[0][0]);
    EXPECT_EQ(17, game->fieldTop);
    EXPECT_EQ(11, game->deadlineRow);
    EXPECT_EQ(3, game->nextColour);
    game->AddEffect(new BreakEffect(1, 1, 1));
    RunClear(11);
    EXPECT_EQ(8, game->clearTimer);
    EXPECT_NE(nullptr, game->effects[0]);
    RunClear(1);  // "GO": the effects go
    EXPECT_EQ(nullptr, game->effects[0]);
    EXPECT_EQ(0, game->lastEffect);
    RunClear(7);
    EXPECT_TRUE(game->roundCleared);
    EXPECT_EQ(0, game->clearTimer);
    EXPECT_FALSE(game->launchEnabled);
    RunClear(1);  // the 41st frame ends it
    EXPECT_FALSE(game->roundCleared);
    EXPECT_TRUE(game->launchEnabled);
    EXPECT_EQ(40, game->clearTimer);
    EXPECT_EQ(-1, game->clearBonus);
    EXPECT_EQ(0, game->idleFrames);
    EXPECT_EQ(10000, game->GetScore());  // (100 - 7 / 20)^2, paid in the first frame
}

TEST_F(RoundsTest, ClearingRound46BringsOnTheWizard) {
    auto* wizard = new FakeBoss;
    game->bosses[kWizardBoss] = wizard;
    game->round = 46;
    game->idleFrames = 0;
    RunClear(46 + 20);  // 46 frames of payout, 19 more results, then the change
    EXPECT_EQ(47, game->round);
    EXPECT_EQ(wizard, game->boss);
    EXPECT_EQ(1, wizard->starts);
}

TEST_F(RoundsTest, ClearingTheLastRoundStopsAtVictoryUntilTheLaunchKey) {
    game->round = 47;
    game->idleFrames = 0;
    game->roundCleared = true;
    RunClear(47 + 20);
    EXPECT_EQ(48, game->round);
    EXPECT_EQ(19, game->clearTimer);
    EXPECT_TRUE(game->roundCleared);
    EXPECT_FALSE(game->launchEnabled);
    EXPECT_EQ(47, game->bestRound);
    game->OnKeyDown(193);
    EXPECT_EQ(kStateHiScores, game->state);
    EXPECT_EQ(0, game->hiScoreReturnState);
    EXPECT_EQ(0, game->round);
    EXPECT_FALSE(game->running);
    EXPECT_FALSE(game->losing);
    EXPECT_FALSE(game->shotFlying);
    // The next game starts clean, not with the rest of the old sequence.
    game->NewGame();
    EXPECT_FALSE(game->roundCleared);
    EXPECT_TRUE(game->launchEnabled);
}

}  // namespace

namespace {

// The whole game through the binary: the title's first entry starts round 1, one shot clears
// it, and a dozen more are played in round 2 before the ceiling comes down.
class RoundsEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        dataDir = test::MakeTempDir();
        saveDir = test::MakeTempDir();
        std::vector<uint8_t> rounds = test::EmptyRoundFile();
        test::SetRoundCell(rounds, 0, 0, 3, 1);  // a pair under the straight shot
        test::SetRoundCell(rounds, 0, 0, 4, 1);
        test::SetRoundCell(rounds, 1, 0, 0, 2);  // two corners out of every shot's reach
        test::SetRoundCell(rounds, 1, 0, 7, 2);
        test::WriteBytes(dataDir + "/rounds.dat", rounds);
        // One colour per round, so the launcher's colours do not depend on the dice.
        std::string script = "0 keydown 193\n1 keydown 193\n1 keyup 193\n";
        for (int shot = 0; shot < 12; ++shot)
            script += std::to_string(55 + 15 * shot) + " keydown 193\n";
        for (int step = 0; step < 10; ++step)
            script += "230 keydown 37\n230 keyup 37\n";
        script += "232 keydown 193\n";
        inputPath = dataDir + "/input.txt";
        const std::vector<uint8_t> bytes(script.begin(), script.end());
        test::WriteBytes(inputPath, bytes);
    }

    void TearDown() override {
        std::filesystem::remove_all(dataDir);
        std::filesystem::remove_all(saveDir);
    }

    std::string Run(int frames) { return test::RunScripted(frames, inputPath, dataDir, saveDir); }

    std::string dataDir, saveDir, inputPath;
};

TEST_F(RoundsEndToEnd, ADozenStraightShotsAndOneOffTheWallInTheSecondRound) {
    // Straight shots in threes: to the ceiling at (0, 4), under it at (1, 3), then (2, 3)
    // pops the three for 90. The 13th counted shot, at 130 degrees, bounces off the left wall
    // at (31, 155), reaches the ceiling at x 127 over column 4 and brings the ceiling down.
    const std::string stats = Run(260);
    EXPECT_EQ("0", test::StatsField(stats, "state"));
    EXPECT_EQ("1", test::StatsField(stats, "round"));
    EXPECT_EQ("10450", test::StatsField(stats, "score"));
    EXPECT_EQ("130", test::StatsField(stats, "aimAngle"));
    EXPECT_EQ("0", test::StatsField(stats, "shotsSinceDrop"));
    EXPECT_EQ("36", test::StatsField(stats, "fieldTop"));
    EXPECT_EQ("10", test::StatsField(stats, "deadlineRow"));
    std::string field = "[[2,-1,-1,-1,2,-1,-1,2]";
    for (int r = 1; r < kFieldRows; ++r)
        field += ",[-1,-1,-1,-1,-1,-1,-1,-1]";
    field += "]";
    EXPECT_NE(std::string::npos, stats.find("\"field\":" + field)) << stats;
}

}  // namespace
