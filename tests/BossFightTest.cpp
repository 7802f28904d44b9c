// A boss round played through the Game: the round sets up its boss, the play screen strikes it
// with the flying shot, and the defeat re-colours the field and pays the episode bonus.
#include <cstdlib>
#include <cstring>

#include "bosses/CrabBoss.h"
#include "bosses/InsectBoss.h"
#include "bosses/WizardBoss.h"
#include "game/GameRandom.h"
#include "tests/BossFixture.h"

namespace bosstest {
namespace {

class BossFight : public BossTest {
  protected:
    void StartRound(int round) {
        game_->SelectRoundsMode();
        game_->startRound = round;
        game_->NewGame();  // no rounds.dat: an empty field
        game_->state = kStatePlay;
        game_->running = true;
        EmptyField();
    }
    // One play-screen frame with the shot hanging over the boss's hit square.
    void FireAndDraw(BossCommon& boss) {
        game_->shotFlying = true;
        game_->shotX = boss.boxX + 1 - boss.hitMargin;
        game_->shotY = boss.boxY + 1 - boss.hitMargin;
        game_->Render(frame_.Buffer());
    }
};

TEST_F(BossFight, InsectRoundIsWonByTwentyFourStrikesAndPaysTheFirstEpisodeBonus) {
    StartRound(11);
    auto* insect = dynamic_cast<InsectBoss*>(game_->boss);
    ASSERT_NE(insect, nullptr);
    EXPECT_EQ(game_->bosses[kInsectBoss], game_->boss);
    game_->field[5][3] = 2;
    game_->field[6][4] = 7;
    int frames = 0;
    while (game_->boss && frames < 200) {
        const bool fighting = insect->active;
        FireAndDraw(*insect);
        if (fighting) {
            EXPECT_FALSE(game_->shotFlying) << "frame " << frames;
        }
        ++frames;
    }
    // 24 strikes, the 24th frame also runs the first of the ten fall frames, then the frame
    // that finds the fall over.
    EXPECT_EQ(frames, 24 + 9 + 1);
    EXPECT_EQ(game_->boss, nullptr);
    EXPECT_EQ(game_->GetScore(), 1000000);
    EXPECT_EQ(Played("fall.wav"), 1);
    int colour = 0;
    for (const auto& [row, col] : FilledCells()) {
        if (colour == 0) colour = game_->field[row][col];
        EXPECT_EQ(game_->field[row][col], colour) << row << "," << col;
    }
    EXPECT_GE(FilledCells().size(), 2u);
    EXPECT_FALSE(game_->roundCleared);  // bubbles are left: the round goes on
}

// Paused in any boss round, nothing moves: no bubble is thrown, and not one random number is
// drawn (the next draw is the one that was due), for as long as the pause lasts.
TEST_F(BossFight, APauseHoldsEveryBossAndTheRandomSequence) {
    for (const int round : {11, 23, 35, 47}) {
        StartRound(round);
        for (int i = 0; i < 137; ++i)
            game_->Render(frame_.Buffer());
        game_->Suspend();
        int field[kFieldRows][kFieldCols];
        std::memcpy(field, game_->field, sizeof field);
        ResetSounds();
        GameRandom paused = GameRandomSequence();
        for (int i = 0; i < 600; ++i)
            game_->Render(frame_.Buffer());
        EXPECT_EQ(paused.Next(), GameRand()) << "round " << round;
        EXPECT_EQ(0, std::memcmp(field, game_->field, sizeof field)) << "round " << round;
        EXPECT_EQ(Played("light.wav") + Played("hit.wav"), 0) << "round " << round;
        game_->Resume();
        GameRandom resumed = GameRandomSequence();
        for (int i = 0; i < 100; ++i)
            game_->Render(frame_.Buffer());
        EXPECT_NE(resumed.Next(), GameRand())
            << "round " << round << ": resumed, the boss draws again";
    }
}

// After the ceiling comes down the boss is struck and drawn one row lower, with the field.
TEST_F(BossFight, EveryBossFollowsTheFieldDown) {
    for (const int round : {11, 23, 35, 47}) {
        StartRound(round);
        for (int i = 0; i < 45; ++i)
            game_->Render(frame_.Buffer());
        auto* boss = dynamic_cast<BossCommon*>(game_->boss);
        ASSERT_NE(boss, nullptr);
        game_->DropCeiling();
        // A shot whose lower test points touch the top edge of the lowered square misses;
        // one pixel lower it strikes.
        const int m = boss->hitMargin;
        const int x = boss->boxX + 1 - m;
        const int y = boss->boxY + game_->rowHeight - 22 + m;
        EXPECT_FALSE(boss->HitTest(x, y, 22, 22)) << "round " << round;
        EXPECT_TRUE(boss->HitTest(x, y + 1, 22, 22)) << "round " << round;
    }
}

// The crab's markers sit on the cells its throw then fills, also after a descent.
TEST_F(BossFight, TheCrabsMarkersMeetTheCellsItFillsAfterADescent) {
    const Rgb marker{10, 200, 30};
    WritePicture("ball0.bmp", 4, 4, marker);
    StartRound(23);
    game_->DropCeiling();
    game_->DropCeiling();
    auto* crab = dynamic_cast<CrabBoss*>(game_->boss);
    ASSERT_NE(crab, nullptr);
    while (crab->frame != 52) {
        frame_.Fill(0);
        game_->Render(frame_.Buffer());
    }
    while (crab->frame != 0)
        game_->Render(frame_.Buffer());
    for (const auto& [row, col] : FilledCells())
        EXPECT_TRUE(Shows(game_->CellX(row, col) + 2, game_->CellY(row) + 2, marker))
            << row << "," << col;
    EXPECT_EQ(FilledCells().size(), 4u);
}

// The wizard's balls end their flight on the cells of the row he fills.
TEST_F(BossFight, TheWizardsBallsLandOnTheCellsTheyFill) {
    for (int i = 1; i <= 8; ++i)
        WritePicture("ball" + std::to_string(i) + ".bmp", 4, 4, {20 * i, 100, 50});
    StartRound(47);
    game_->DropCeiling();
    auto* wizard = dynamic_cast<WizardBoss*>(game_->boss);
    ASSERT_NE(wizard, nullptr);
    while (wizard->frame != 38)
        game_->Render(frame_.Buffer());
    frame_.Fill(0);
    game_->Render(frame_.Buffer());  // frame 39: the balls arrive and the row is written
    ASSERT_EQ(FilledCells().size(), 8u);
    for (const auto& [row, col] : FilledCells()) {
        const int colour = game_->field[row][col];
        EXPECT_TRUE(
            Shows(game_->CellX(row, col) + 2, game_->CellY(row) + 2, {20 * colour, 100, 50}))
            << row << "," << col;
    }
}

}  // namespace
}  // namespace bosstest
