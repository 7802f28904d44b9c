// The wizard: his hit flash and its late hit sound, the rows his balls and lines overwrite,
// and his first cycle.
#include <set>

#include "bosses/WizardBoss.h"
#include "tests/BossFixture.h"

namespace bosstest {
namespace {

constexpr Rgb kHit = {250, 250, 60};
constexpr Rgb kHover = {120, 80, 250};

using Wizard = BossTest;

TEST_F(Wizard, HitSoundComesTenFightingFramesAfterTheStrike) {
    WritePicture("wizardhitted.bmp", 10, 10, kHit);
    auto wizard = Make<WizardBoss>();
    wizard->frame = 2;
    Run(*wizard, 1);
    const int boxX = wizard->boxX, boxY = wizard->boxY;
    ASSERT_TRUE(Strike(*wizard));
    for (int i = 1; i <= 9; ++i) {
        Run(*wizard, 1);
        EXPECT_TRUE(Shows(wizard->posX - 2, wizard->posY - 2, kHit)) << i;
        EXPECT_EQ(wizard->boxX, boxX);  // the square stays at the last hover point
        EXPECT_EQ(wizard->boxY, boxY);
        EXPECT_TRUE(wizard->hitFlag);
    }
    EXPECT_EQ(Played("hit.wav"), 0);
    EXPECT_EQ(wizard->flashCountdown, 1);
    Run(*wizard, 1);
    EXPECT_EQ(Played("hit.wav"), 1);
    EXPECT_FALSE(wizard->hitFlag);
    EXPECT_EQ(wizard->flashCountdown, 10);
}

TEST_F(Wizard, MissedShotEndsTheFlashSilentlyAndShortensTheNext) {
    auto wizard = Make<WizardBoss>();
    wizard->frame = 2;
    ASSERT_TRUE(Strike(*wizard));
    Run(*wizard, 3);
    EXPECT_FALSE(Miss(*wizard));
    Run(*wizard, 20);
    EXPECT_EQ(Played("hit.wav"), 0);
    EXPECT_EQ(wizard->flashCountdown, 7);
    ASSERT_TRUE(Strike(*wizard));
    Run(*wizard, 6);
    EXPECT_EQ(Played("hit.wav"), 0);
    Run(*wizard, 1);
    EXPECT_EQ(Played("hit.wav"), 1);
}

TEST_F(Wizard, ThrowLineFillsCellsZeroToSixOfOneRowFromFourToNine) {
    auto wizard = Make<WizardBoss>();
    std::set<int> rows;
    for (int i = 0; i < 300; ++i) {
        EmptyField();
        for (int r = 0; r < kFieldRows; ++r)
            if (game_->RowLength(r) == 8) game_->field[r][7] = 2;
        ResetSounds();
        wizard->ThrowLine();
        EXPECT_EQ(Played("light.wav"), 1);
        int lineRow = -1, colour = -1, cells = 0;
        for (const auto& [row, col] : FilledCells()) {
            if (col == 7) continue;
            ++cells;
            if (lineRow < 0) {
                lineRow = row;
                colour = game_->field[row][col];
            }
            EXPECT_EQ(row, lineRow);
            EXPECT_EQ(game_->field[row][col], colour);
        }
        ASSERT_EQ(cells, 7);
        EXPECT_GE(colour, 1);
        EXPECT_LE(colour, 8);
        rows.insert(lineRow);
        if (game_->RowLength(lineRow) == 8) {
            EXPECT_EQ(game_->field[lineRow][7], 2);
        }
    }
    EXPECT_EQ(*rows.begin(), 4);
    EXPECT_EQ(*rows.rbegin(), 9);
    EXPECT_EQ(rows.size(), 6u);
}

TEST_F(Wizard, FillRowWritesEveryColourInOrder) {
    auto wizard = Make<WizardBoss>();
    wizard->ballsToTop = false;
    wizard->FillRow();
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(game_->field[6][c], c + 1);
    wizard->ballsToTop = true;
    wizard->FillRow();
    EXPECT_EQ(game_->field[0][0], 8);
    for (int c = 1; c < 8; ++c)
        EXPECT_EQ(game_->field[0][c], c);
    EXPECT_EQ(FilledCells().size(), 16u);
}

TEST_F(Wizard, FirstCycleRidesToTheOriginAndSendsItsBallsToTheTopRow) {
    WritePicture("wizard1.bmp", 10, 10, kHover);
    auto wizard = Make<WizardBoss>();
    EXPECT_EQ(wizard->ring[3].x, 30 + 81);
    EXPECT_EQ(wizard->ring[3].y, 17 + 38);
    Run(*wizard, 5);  // hover frame 5: offset (2, 2), facing left
    EXPECT_TRUE(Shows(33, 20, kHover));
    EXPECT_EQ(wizard->boxX, 32);
    EXPECT_EQ(wizard->boxY, 19);
    Run(*wizard, 33);
    EXPECT_TRUE(FilledCells().empty());
    Run(*wizard, 1);  // frame 39: the snap writes the row
    EXPECT_EQ(wizard->posX, 30);
    EXPECT_EQ(wizard->posY, 17);
    EXPECT_EQ(FilledCells().size(), 8u);
    EXPECT_EQ(game_->field[0][1], 1);
    EXPECT_EQ(game_->field[0][7], 7);
    Run(*wizard, 1);  // the new cycle's ring is around the spot he reached
    EXPECT_EQ(wizard->frame, 0);
    EXPECT_EQ(wizard->cycleCount, 1);
    EXPECT_EQ(wizard->ring[0].x, wizard->posX);
}

TEST_F(Wizard, EveryThirdCycleThrowsALine) {
    auto wizard = Make<WizardBoss>();
    int lines = 0;
    for (int cycle = 0; cycle < 9; ++cycle) {
        ResetSounds();
        Run(*wizard, 40);
        lines += Played("light.wav");
    }
    EXPECT_EQ(lines, 3);
}

}  // namespace
}  // namespace bosstest
