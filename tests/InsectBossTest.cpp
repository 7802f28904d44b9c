// The insect: where its sparks land, when its hit sound plays, its looks, and its hops.
#include <set>

#include "bosses/InsectBoss.h"
#include "tests/BossFixture.h"

namespace bosstest {
namespace {

constexpr Rgb kHit = {250, 250, 60};
constexpr Rgb kIdle = {60, 120, 250};
constexpr Rgb kDamaged = {200, 90, 30};

using Insect = BossTest;

TEST_F(Insect, SparksLandOnlyInRowsAndColumnsZeroToSixWithOneLightSoundPerCycle) {
    auto insect = Make<InsectBoss>();
    std::set<int> rows, cols;
    const int cycles = 150;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        EmptyField();
        Run(*insect, 40);
        const auto cells = FilledCells();
        ASSERT_GE(cells.size(), 1u);
        ASSERT_LE(cells.size(), 2u);  // two sparks on one cell make one bubble
        for (const auto& [row, col] : cells) {
            rows.insert(row);
            cols.insert(col);
            EXPECT_GE(game_->field[row][col], 1);
            EXPECT_LE(game_->field[row][col], 8);
        }
        EXPECT_EQ(insect->sparks[0].row, insect->sparks[0].targetY / 19);
        EXPECT_EQ(insect->sparks[1].col, insect->sparks[1].targetX / 22);
    }
    EXPECT_EQ(*rows.rbegin(), 6);
    EXPECT_EQ(*cols.rbegin(), 6);
    EXPECT_EQ(*rows.begin(), 0);
    EXPECT_EQ(Played("light.wav"), cycles);
}

TEST_F(Insect, HitSoundOnlyForStrikesWhileCharging) {
    WritePicture("insecthitted.bmp", 10, 10, kHit);
    auto insect = Make<InsectBoss>();
    for (const auto& [before, sounds] :
         std::vector<std::pair<int, int>>{{19, 1}, {15, 1}, {29, 1}, {4, 0}, {14, 0}, {34, 0}}) {
        ResetSounds();
        insect->frame = before;  // the call makes it before + 1
        ASSERT_TRUE(Strike(*insect));
        Run(*insect, 1);
        EXPECT_EQ(Played("hit.wav"), sounds) << "frame " << before + 1;
        // The hit look shows either way, at the drawing point.
        EXPECT_TRUE(Shows(insect->posX - 2, insect->posY - 2, kHit)) << "frame " << before + 1;
        EXPECT_FALSE(insect->hitFlag);
    }
}

TEST_F(Insect, DamagedLookFromTenHitPoints) {
    WritePicture("insect0.bmp", 10, 10, kIdle);
    WritePicture("insect00.bmp", 10, 10, kDamaged);
    WritePicture("insecthitted.bmp", 10, 10, kHit);
    auto insect = Make<InsectBoss>();
    insect->frame = 3;
    insect->hitPoints = 11;
    ASSERT_TRUE(Strike(*insect));
    Run(*insect, 1);  // frame 4: the strike's own frame shows the hit look
    EXPECT_TRUE(Shows(insect->posX - 2, insect->posY - 2, kHit));
    Run(*insect, 2);  // frame 6, even: idle picture 0 in its damaged form
    EXPECT_TRUE(Shows(insect->posX - 2, insect->posY - 2, kDamaged));
    insect->hitPoints = 11;
    Run(*insect, 2);
    EXPECT_TRUE(Shows(insect->posX - 2, insect->posY - 2, kIdle));
}

TEST_F(Insect, FirstHopGoesToTheOriginAndHopsSnapToCellsWithHalfCellsOnOddRows) {
    auto insect = Make<InsectBoss>();
    EXPECT_EQ(insect->boxX, 27);
    EXPECT_EQ(insect->boxY, 14);
    Run(*insect, 31);
    EXPECT_EQ(insect->posX, 30);
    EXPECT_EQ(insect->posY, 17);
    EXPECT_EQ(insect->boxX, 27);

    insect->prevX = 0, insect->prevY = 0, insect->moveStep = 0;
    insect->moveTargetX = 70;  // column 3
    insect->moveTargetY = 40;  // row 2
    insect->MoveStep();
    EXPECT_EQ(insect->posX, 30 + (66 * 1) / 8);
    EXPECT_EQ(insect->posY, 17 + (44 * 1) / 8);
    for (int s = 2; s <= 8; ++s)
        insect->MoveStep();
    EXPECT_EQ(insect->posX, 96);
    EXPECT_EQ(insect->posY, 61);
    insect->moveTargetY = 25;  // row 1: shifted half a cell
    insect->MoveStep();
    EXPECT_EQ(insect->moveStep, 0);
    EXPECT_EQ(insect->posX, 96 + 11);
    EXPECT_EQ(insect->posY, 61);  // the snap moves only x
}

}  // namespace
}  // namespace bosstest
