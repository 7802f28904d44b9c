// Aiming with the mouse or a finger: the angle a point gives, where a press aims and a release
// fires, and the guide drawn while the finger is down.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "game/PointerAim.h"
#include "game/ShotRules.h"
#include "gfx/Bitmap.h"
#include "tests/PlayFixture.h"

namespace {

TEST(PointerAim, PointsSnapToTheNearestAngleTheKeysReach) {
    struct Case {
        int x, y, current, angle;
    };
    // Every point above the centre is held to the true angle by the next test. Here: the aim
    // from before counts only where a point gives no direction, level with or below the centre.
    const Case cases[] = {
        {118, 0, 50, 90},    // straight above
        {30, 277, 90, 170},  // level with the centre
        {200, 277, 90, 10},  //
        {50, 300, 90, 170},  // below the centre: the nearer limit
        {200, 319, 90, 10},  //
        {118, 300, 62, 62},  // straight down gives no direction
        {118, 277, 62, 62},  // nor does the centre itself
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointerAimAngle(c.x, c.y, c.current), c.angle) << c.x << "," << c.y;
}

TEST(PointerAim, BelowTheFieldTheDirectionGivesTheAngle) {
    // The fixed halfway table must not move a single screen point against the true angle.
    for (int y = 263; y < kLauncherCentreY; ++y) {
        for (int x = 0; x < 240; ++x) {
            const double degrees =
                std::atan2(kLauncherCentreY - y, x - kLauncherCentreX) * 180 / 3.14159265358979;
            const long step = std::lround((degrees - kAimLowest) / kAimKeyStep);
            const int expected =
                kAimLowest + kAimKeyStep * static_cast<int>(std::clamp(step, 0L, 40L));
            ASSERT_EQ(PointerAimAngle(x, y, 90), expected) << x << "," << y;
        }
    }
}

// The flight of each angle over an empty field, as the guide draws it, point by point.
std::vector<std::pair<int, int>> Flight(int angle) {
    static ShotCells empty;
    for (auto& row : empty)
        for (int& cell : row)
            cell = -1;
    const FieldGeometry geometry;
    const ShotRules rules(empty, geometry);
    FlyingShot shot = rules.Launch(angle);
    ShotCandidates candidates;
    std::vector<std::pair<int, int>> points{{shot.x + 10, shot.y + 10}};
    for (;;) {
        const int fromX = shot.x, fromY = shot.y;
        const ShotFrameEnd end = rules.FlyOneFrame(shot, &candidates);
        const int dx = shot.x - fromX, dy = shot.y - fromY;
        const int steps = std::max(std::abs(dx), std::abs(dy));
        for (int t = 1; t <= steps; ++t)
            points.emplace_back(fromX + dx * t / steps + 10, fromY + dy * t / steps + 10);
        if (end.kind != ShotFrameEnd::kStillFlying || end.bounced) return points;
    }
}

TEST(PointerAim, InTheFieldEachPointAimsAtTheFlightPassingNearestIt) {
    std::vector<std::vector<std::pair<int, int>>> flights;
    for (int angle = kAimLowest; angle <= kAimHighest; angle += kAimKeyStep)
        flights.push_back(Flight(angle));
    const auto distance = [&](int angle, int x, int y) {
        long best = 1L << 40;
        for (const auto& [px, py] : flights[(angle - kAimLowest) / kAimKeyStep])
            best = std::min(best, long{px - x} * (px - x) + long{py - y} * (py - y));
        return best;
    };
    for (int y = 0; y <= 262; y += 5) {
        for (int x = 30; x <= 205; x += 3) {
            const int aimed = PointerAimAngle(x, y, 90);
            const long d = distance(aimed, x, y);
            for (int angle = kAimLowest; angle <= kAimHighest; angle += kAimKeyStep) {
                const long other = distance(angle, x, y);
                ASSERT_GE(other, d)
                    << x << "," << y << ": " << angle << " passes nearer than " << aimed;
                if (other == d && angle != aimed) {
                    ASSERT_LE(std::abs(aimed - 90), std::abs(angle - 90)) << x << "," << y;
                }
            }
        }
    }
    // The press the aim was off for: the line to it is 98 degrees, which flies about 23
    // pixels wide of it.
    EXPECT_EQ(PointerAimAngle(84, 30, 90), 102);
    EXPECT_LE(distance(102, 84, 30), 5 * 5);
}

TEST(PointerAim, TheFieldAboveTheLauncherAimsToItsRightHandWater) {
    const struct {
        int x, y;
        bool aims;
    } cases[] = {
        {30, 0, true},    {205, 0, true},    {29, 100, false},  {206, 50, false},
        {100, 262, true}, {100, 263, false}, {199, 200, true},  {200, 103, true},
        {200, 104, true}, {205, 262, true},  {120, 300, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InPointerAimZone(c.x, c.y), c.aims) << c.x << "," << c.y;
}

class PointerPlayTest : public test::PlayTest {};

TEST_F(PointerPlayTest, PressAimsDragFollowsReleaseInTheFieldFires) {
    game->OnTap(40, 120);
    EXPECT_EQ(122, game->aimAngle);
    EXPECT_TRUE(game->pointerHeld);
    EXPECT_FALSE(game->shotFlying);
    game->OnStylusMove(190, 120);  // drags aim wherever they go
    EXPECT_EQ(62, game->aimAngle);
    game->OnStylusMove(118, 310);  // straight down: the aim stays
    EXPECT_EQ(62, game->aimAngle);
    game->OnStylusUp(118, 100);
    EXPECT_EQ(90, game->aimAngle);
    EXPECT_FALSE(game->pointerHeld);
    EXPECT_TRUE(game->shotFlying);
    EXPECT_EQ(1, game->shotsSinceDrop);  // counted like a launch key
    EXPECT_EQ(0, game->shotVX);
}

TEST_F(PointerPlayTest, ReleasesThatOnlyAimAndPressesThatDoNotCount) {
    // Lifted left of the field, while a shot flies, while losing.
    const struct {
        int x;
        bool flying, losing;
    } releases[] = {{10, false, false}, {60, true, false}, {60, false, true}};
    for (const auto& c : releases) {
        game->OnTap(118, 100);
        game->shotFlying = c.flying;
        game->losing = c.losing;
        game->OnStylusUp(c.x, 100);
        EXPECT_EQ(c.flying, game->shotFlying) << c.x;
        EXPECT_EQ(0, game->shotsSinceDrop) << c.x;
        EXPECT_NE(90, game->aimAngle) << c.x << ": the release still aims";
        game->aimAngle = 90;
        game->shotFlying = game->losing = false;
    }
    game->OnStylusUp(40, 120);  // no press
    game->OnTap(120, 300);      // on the launcher
    game->losing = true;
    game->OnTap(40, 120);
    game->losing = false;
    game->OnTap(40, 120);
    game->state = kStateTitle;  // play left by keys with the finger down
    test::Frame frame;
    game->Render(frame.Buffer());
    game->state = kStatePlay;
    game->OnStylusUp(60, 100);
    EXPECT_EQ(122, game->aimAngle);
    EXPECT_FALSE(game->shotFlying);
    EXPECT_FALSE(game->losing);
    EXPECT_EQ(0, game->shotsSinceDrop);
}

TEST_F(PointerPlayTest, ATapOnTheVictoryPictureMovesOnAndNeverLeaves) {
    game->round = game->LastRound() + 1;
    game->OnTap(230, 300);  // where the exit strip would be
    EXPECT_EQ(kStateHiScores, game->state);
    EXPECT_EQ(0, game->shotsSinceDrop);
}

TEST_F(PointerPlayTest, GuideDotsShowOnlyWhileTheFingerIsDown) {
    const auto draw = [&](test::Frame& frame) {
        game->Render(frame.Buffer());
        game->running = true;
        game->roundCleared = false;
    };
    game->field[0][0] = 1;  // not cleared: no clear sequence in these frames
    test::Frame keys, held, lifted;
    game->aimAngle = 118;
    draw(keys);
    game->OnTap(40, 120);
    draw(held);
    const uint16_t white = PackDisplayColour(255, 255, 255);
    int dots = 0, changed = 0;
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 240; ++x) {
            if (held.Pixel(x, y) == keys.Pixel(x, y)) continue;
            ++changed;
            if (held.Pixel(x, y) == white) ++dots;
        }
    }
    EXPECT_EQ(dots, changed) << "the guide adds white dots and nothing else";
    EXPECT_GE(dots, 4 * 15) << "dots of 4 pixels up to the left wall";
    // The first stretch only: nothing right of the launcher when aiming left.
    for (int y = 0; y < 320; ++y)
        for (int x = 130; x < 240; ++x)
            ASSERT_EQ(held.Pixel(x, y), keys.Pixel(x, y)) << x << "," << y;
    game->OnStylusUp(10, 120);
    draw(lifted);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            ASSERT_EQ(lifted.Pixel(x, y), keys.Pixel(x, y)) << x << "," << y;
}

}  // namespace
