// A boss round played through the Game: the round sets up its boss, the play screen strikes it
// with the flying shot, and the defeat re-colours the field and pays the episode bonus.
#include "bosses/InsectBoss.h"
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

}  // namespace
}  // namespace bosstest
