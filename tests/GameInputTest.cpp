// Keys and taps in play: aiming with its limits and hold, launching, pausing, leaving.
#include <utility>

#include "actors/BigFish.h"
#include "tests/PlayFixture.h"

namespace {

using test::FakeBoss;
using test::PlayTest;

constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kLaunch = 193;

class InputTest : public PlayTest {
  protected:
    void Frames(int n) {
        for (int i = 0; i < n; ++i)
            game->Update();
    }
};

TEST_F(InputTest, AimStopsAt170AndAt10) {
    const int cases[][4] = {{166, kLeft, 170, 4}, {14, kRight, 10, -4}};  // from, key, limit, step
    for (const auto& c : cases) {
        game->aimAngle = c[0];
        game->OnKeyDown(c[1]);
        EXPECT_EQ(c[2], game->aimAngle);
        EXPECT_EQ(c[3], game->aimStep);
        EXPECT_EQ(1, game->aimRepeatDelay);
        game->OnKeyUp(c[1]);
        game->OnKeyDown(c[1]);  // at the limit the press does nothing at all
        EXPECT_EQ(c[2], game->aimAngle);
        EXPECT_EQ(0, game->aimStep);
        EXPECT_EQ(-1, game->aimRepeatDelay);
    }
}

TEST_F(InputTest, HeldAimKeyWaitsAFrameThenTurnsEveryFrameUntilReleased) {
    game->OnKeyDown(kLeft);
    EXPECT_EQ(94, game->aimAngle);
    Frames(1);
    EXPECT_EQ(94, game->aimAngle);
    Frames(1);
    EXPECT_EQ(98, game->aimAngle);
    Frames(1);
    EXPECT_EQ(102, game->aimAngle);
    game->OnKeyUp(kLeft);
    Frames(5);
    EXPECT_EQ(102, game->aimAngle);
    EXPECT_EQ(-1, game->aimRepeatDelay);

    game->OnKeyDown(kRight);
    Frames(30);  // held: clamped at 10
    EXPECT_EQ(10, game->aimAngle);
}

TEST_F(InputTest, LaunchKeyFiresCountsTheShotAndSwingsTheFish) {
    game->idleFrames = 150;
    game->OnKeyDown(kLaunch);
    EXPECT_TRUE(game->shotFlying);
    EXPECT_EQ(1, game->shotsSinceDrop);
    EXPECT_EQ(0, game->idleFrames);
    EXPECT_TRUE(game->bigFish->active);
    const int x = game->shotX, y = game->shotY;
    game->OnKeyDown(195);  // while the shot flies: nothing
    EXPECT_EQ(1, game->shotsSinceDrop);
    EXPECT_EQ(x, game->shotX);
    EXPECT_EQ(y, game->shotY);
}

TEST_F(InputTest, LaunchKeyIsIgnoredDuringTheClearAndUncountedInABossRound) {
    game->launchEnabled = false;
    game->OnKeyDown(kLaunch);
    EXPECT_FALSE(game->shotFlying);
    game->launchEnabled = true;
    FakeBoss boss;
    game->boss = &boss;
    game->OnKeyDown(196);
    EXPECT_TRUE(game->shotFlying);
    EXPECT_EQ(0, game->shotsSinceDrop);
    game->boss = nullptr;
}

TEST_F(InputTest, PauseKeyTwicePausesAndResumes) {
    game->OnKeyDown(kPauseKey);
    EXPECT_TRUE(game->suspended);
    EXPECT_FALSE(game->running);
    game->idleFrames = 500;
    Frames(3);
    EXPECT_EQ(500, game->idleFrames);  // no update while paused
    game->OnKeyDown(kLeft);            // the aim still turns a step per press
    EXPECT_EQ(94, game->aimAngle);
    game->OnKeyDown(kPauseKey);
    EXPECT_FALSE(game->suspended);
    EXPECT_TRUE(game->running);
    Frames(1);
    EXPECT_TRUE(game->shotFlying);
}

TEST_F(InputTest, TheExitStripLiesBesideTheAimZoneNotInIt) {
    // The right-hand water of the field aims, paused or not; only beyond it is the exit.
    for (const auto& p : {std::pair{200, 104}, {202, 150}, {205, 262}, {199, 319}}) {
        game->OnTap(p.first, p.second);
        game->OnStylusUp(p.first, p.second);
        EXPECT_EQ(kStatePlay, game->state) << p.first << "," << p.second;
    }
    game->OnKeyDown(kPauseKey);
    game->OnTap(203, 200);
    EXPECT_EQ(kStatePlay, game->state);
    game->OnTap(206, 104);
    EXPECT_EQ(kStateTitle, game->state);
    EXPECT_FALSE(game->running);
}

TEST_F(InputTest, TheExitStripAlsoStartsBelowTheAimZone) {
    game->OnTap(200, 263);
    EXPECT_EQ(kStateTitle, game->state);
}

TEST_F(InputTest, TheExitKeyPausesFirstAndLeavesWhenPressedAgain) {
    game->OnKeyDown(kExitKey);
    EXPECT_EQ(game->state, kStatePlay);
    EXPECT_TRUE(game->suspended);
    EXPECT_FALSE(game->running);
    game->OnKeyDown(kExitKey);
    EXPECT_EQ(game->state, kStateTitle);
    game->OnKeyDown(kExitKey);  // the title page has no use for it
    EXPECT_EQ(game->state, kStateTitle);
}

}  // namespace
