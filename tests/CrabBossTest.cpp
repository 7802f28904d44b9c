// The crab: its walk and where it turns, the four thrown bubbles, the throw pose, the hit
// sound and the leg it loses once per fight.
#include <set>

#include "bosses/CrabBoss.h"
#include "tests/BossFixture.h"

namespace bosstest {
namespace {

constexpr Rgb kLeg = {250, 180, 40};
constexpr Rgb kHit = {250, 250, 60};
constexpr Rgb kPose = {90, 220, 250};

using Crab = BossTest;

TEST_F(Crab, WalkTurnsAtThirtyAndPausesAtNinety) {
    auto crab = Make<CrabBoss>();
    EXPECT_EQ(crab->posX, 81);
    EXPECT_EQ(crab->posY, 22);
    EXPECT_EQ(crab->boxX, 84);
    EXPECT_EQ(crab->boxY, 19);
    crab->posX = 31;
    crab->walkingLeft = true;
    crab->Walk();
    EXPECT_EQ(crab->posX, 30);
    crab->Walk();
    EXPECT_EQ(crab->posX, 31);
    EXPECT_FALSE(crab->walkingLeft);
    EXPECT_EQ(crab->boxX, 34);
    crab->posX = 89;
    crab->Walk();
    EXPECT_EQ(crab->posX, 90);
    crab->Walk();
    EXPECT_EQ(crab->posX, 90);  // one step's pause
    EXPECT_TRUE(crab->walkingLeft);
    crab->Walk();
    EXPECT_EQ(crab->posX, 89);
}

TEST_F(Crab, HitSquareMovesOnlyOnEvenFrames) {
    auto crab = Make<CrabBoss>();
    crab->frame = 4;
    const int boxX = crab->boxX;
    Run(*crab, 1);  // frame 5
    EXPECT_EQ(crab->boxX, boxX);
    Run(*crab, 1);  // frame 6
    EXPECT_EQ(crab->boxX, boxX - 1);
    EXPECT_EQ(crab->boxX, crab->posX + 3);
}

TEST_F(Crab, ThrowColumnsWrapAfterColumnSixAndNeverUseSeven) {
    auto crab = Make<CrabBoss>();
    const std::vector<std::vector<int>> expected = {{0, 1, 2, 3}, {3, 4, 5, 6}, {4, 5, 6, 3},
                                                    {5, 6, 2, 3}, {6, 1, 2, 3}, {0, 1, 2, 3}};
    const int cols[] = {0, 3, 4, 5, 6, 7};
    for (int k = 0; k < 6; ++k) {
        EmptyField();
        ResetSounds();
        crab->throwCol = cols[k];
        crab->throwRow = 4;
        crab->PlaceRow();
        std::vector<int> filled;
        for (const auto& [row, col] : FilledCells()) {
            EXPECT_EQ(row, 4);
            filled.push_back(col);
        }
        std::vector<int> want = expected[k];
        std::sort(want.begin(), want.end());
        EXPECT_EQ(filled, want) << "throwCol " << cols[k];
        EXPECT_EQ(Played("light.wav"), 1);
    }
}

TEST_F(Crab, ThrowsLandInRowsThreeToEightEveryNinetyFrames) {
    auto crab = Make<CrabBoss>();
    std::set<int> rows;
    for (int cycle = 0; cycle < 60; ++cycle) {
        EmptyField();
        Run(*crab, 90);
        const auto cells = FilledCells();
        ASSERT_EQ(cells.size(), 4u);
        for (const auto& [row, col] : cells) {
            rows.insert(row);
            EXPECT_EQ(row, crab->throwRow);
            EXPECT_NE(col, 7);
        }
    }
    EXPECT_EQ(*rows.begin(), 3);
    EXPECT_EQ(*rows.rbegin(), 8);
}

TEST_F(Crab, StrikeDuringTheThrowPoseShowsTheHitLookWithItsSound) {
    WritePicture("crabthrow2.bmp", 10, 10, kPose);
    WritePicture("crabhitted1.bmp", 10, 10, kHit);
    auto crab = Make<CrabBoss>();
    crab->frame = 77;
    Run(*crab, 1);  // 78: second pose, 10 pixels lower
    EXPECT_TRUE(Shows(crab->posX + 1, crab->posY + 11, kPose));
    crab->frame = 77;
    ASSERT_TRUE(Strike(*crab));
    Run(*crab, 1);
    EXPECT_TRUE(Shows(crab->posX + 1, crab->posY + 1, kHit));
    EXPECT_FALSE(Shows(crab->posX + 1, crab->posY + 11, kPose));
    crab->frame = 10;
    ASSERT_TRUE(Strike(*crab));
    Run(*crab, 1);
    EXPECT_EQ(Played("hit.wav"), 2);
}

TEST_F(Crab, LegFallsOncePerFightFromTheStrikeThatLeavesTenHitPoints) {
    WritePicture("crableg.bmp", 6, 6, kLeg);
    auto crab = Make<CrabBoss>();
    crab->frame = 0;
    crab->hitPoints = 12;
    Run(*crab, 1);
    EXPECT_EQ(crab->legCountdown, 10);
    ASSERT_TRUE(Strike(*crab));
    ASSERT_TRUE(Strike(*crab));
    Run(*crab, 1);
    EXPECT_TRUE(Shows(crab->posX + 41, crab->posY + 1, kLeg));
    EXPECT_EQ(crab->legCountdown, 9);
    Run(*crab, 9);  // the tenth and last leg frame
    EXPECT_TRUE(Shows(crab->posX + 41, crab->posY + ((240 - crab->posY) * 9) / 10 + 1, kLeg));
    EXPECT_EQ(crab->legCountdown, 0);
    Run(*crab, 1);
    bool legSeen = false;
    for (int y = 0; y < 320; ++y)
        legSeen = legSeen || Shows(crab->posX + 41, y, kLeg);
    EXPECT_FALSE(legSeen);
    crab->Start();
    EXPECT_EQ(crab->legCountdown, 10);
}

}  // namespace
}  // namespace bosstest
