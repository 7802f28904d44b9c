// The timelines of the effects and the characters beside the launcher: which picture each
// frame shows, where, which sound comes at which frame, and the frame each one ends.
#include <algorithm>
#include <string>
#include <vector>

#include "actors/BigFish.h"
#include "actors/BonusEffect.h"
#include "actors/BreakEffect.h"
#include "actors/FallingBubbleEffect.h"
#include "actors/FishEffect.h"
#include "actors/Rival.h"
#include "actors/ScoreTextEffect.h"
#include "gfx/Bitmap.h"
#include "tests/GameTestFixture.h"
#include "tests/TestSupport.h"

namespace {

class EffectsTest : public GameTestFixture {
  protected:
    // The value of the one pixel a 1x1 picture left in the frame, 0 for none.
    uint16_t Shown() {
        uint16_t found = 0;
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 240; ++x)
                if (frame.Pixel(x, y)) found = frame.Pixel(x, y);
        return found;
    }
    // Steps an effect as the play screen does and lists the picture of every frame drawn.
    std::vector<uint16_t> Run(Effect& effect) {
        std::vector<uint16_t> shown;
        while (effect.Update() && shown.size() < 100) {
            frame.Fill(0);
            effect.Draw(frame.Buffer());
            shown.push_back(Shown());
        }
        return shown;
    }
    test::Frame frame;
};

TEST_F(EffectsTest, BreakShowsEachOfItsThreePicturesForThreeFramesThenEnds) {
    for (int f = 0; f < 3; ++f)
        Install(BreakEffect::images[4][f], Solid(1, 1, static_cast<uint16_t>(0x50 + f)));
    BreakEffect effect(100, 100, 5);
    const std::vector<uint16_t> expected = {0x50, 0x50, 0x50, 0x51, 0x51, 0x51, 0x52, 0x52, 0x52};
    EXPECT_EQ(expected, Run(effect));
#ifdef NDEBUG
    for (int colour : {0, 9}) {  // outside the table: nothing, where no assertion stops it
        BreakEffect stray(100, 100, colour);
        EXPECT_EQ(std::vector<uint16_t>(9, 0), Run(stray)) << colour;
    }
#endif
    for (Bitmap*& b : BreakEffect::images[4])
        Install(b, nullptr);
}

TEST_F(EffectsTest, BonusRisesTwoFramesThenDriftsAwayFromItsSideWithOneSound) {
    const int tiers[][2] = {{2, -1}, {3, 0},  {4, 0},  {5, 1}, {8, 2},
                            {12, 3}, {16, 4}, {20, 5}, {99, 5}};
    for (int i = 0; i < 6; ++i)
        Install(BonusEffect::images[i], Solid(1, 1, static_cast<uint16_t>(0x60 + i)));
    for (const auto& t : tiers) {
        BonusEffect effect(50, 100, t[0]);
        const std::vector<uint16_t> shown = Run(effect);
        ASSERT_EQ(20u, shown.size()) << t[0];
        EXPECT_EQ(t[1] < 0 ? 0 : 0x60 + t[1], shown[0]) << t[0];
    }
    // start x, x and y after 1, 2, 3 and 20 frames
    const int paths[][9] = {{88, 88, 98, 88, 96, 94, 96, 196, 96},
                            {89, 89, 98, 89, 96, 83, 96, -19, 96}};
    for (const auto& p : paths) {
        ForgetSounds();
        BonusEffect effect(p[0], 100, 3);
        int step = 0;
        const int checked[] = {1, 2, 3, 20};
        for (int k = 0; k < 4; ++k) {
            while (step < checked[k]) {
                EXPECT_TRUE(effect.Update());
                ++step;
            }
            EXPECT_EQ(p[1 + 2 * k], effect.x) << p[0] << " after " << step;
            EXPECT_EQ(p[2 + 2 * k], effect.y) << p[0] << " after " << step;
            EXPECT_EQ(step >= 3 ? 1 : 0, TimesPlayed("bonus.wav")) << step;
        }
        EXPECT_FALSE(effect.Update());
    }
    for (Bitmap*& b : BonusEffect::images)
        Install(b, nullptr);
}

TEST_F(EffectsTest, FallingBubblesAndFishFallFasterEachFrameUntilBelowTheScreen) {
    Bitmap* balls[9] = {};
    for (int i = 0; i < 9; ++i)
        balls[i] = Solid(1, 1, static_cast<uint16_t>(0x70 + i));
    // code, picture: codes outside the table fall as grey bubbles
    const int codes[][2] = {{0, 0}, {3, 3}, {8, 8}, {9, 0}, {-1, 0}};
    for (const auto& c : codes) {
        FallingBubbleEffect effect(100, 10, c[0], balls);
        const std::vector<uint16_t> shown = Run(effect);
        EXPECT_EQ(20u, shown.size()) << c[0];  // 16, 23, 31, ... 320 drawn; 346 is gone
        EXPECT_EQ(0x70 + c[1], shown.front()) << c[0];
    }
    for (Bitmap* b : balls)
        delete b;

    Install(FishEffect::images[1], Solid(1, 1, 0x81));
    FishEffect fish(100, 10, 2, 3, 6);
    EXPECT_EQ(20u, Run(fish).size());
    EXPECT_EQ(100 + 21 * 3, fish.x);
    EXPECT_EQ(346, fish.y);
    for (int colour : {0, 9}) {
        FishEffect stray(100, 0, colour, 0, 6);
        EXPECT_EQ(std::vector<uint16_t>(20, 0), Run(stray)) << colour;
    }
    Install(FishEffect::images[1], nullptr);
}

TEST_F(EffectsTest, ScoreTextRisesForTenFrames) {
    ScoreTextEffect effect(120, 200, 90);
    int frames = 0;
    while (effect.Update())
        ++frames;
    EXPECT_EQ(10, frames);
    EXPECT_EQ(200 - 11 * 2, effect.y);
}

TEST_F(EffectsTest, RivalPosesPlayTheirSoundsAtTheirFramesAndEndInTheWalk) {
    Rival& rival = *game->rival;
    struct Case {
        void (Rival::*react)();
        const char* sound;
        int soundFrame, length;
    };
    const Case cases[] = {{&Rival::FlagReaction, "ben.wav", 4, 10},
                          {&Rival::WinReaction, "happy.wav", 10, 50},
                          {&Rival::LoseReaction, "lose.wav", 4, 50}};
    for (const Case& c : cases) {
        ForgetSounds();
        (rival.*c.react)();
        int frames = 0;
        while (rival.pose != Rival::kWalk && frames < 100) {
            rival.Draw(frame.Buffer());
            EXPECT_EQ(frames >= c.soundFrame ? 1 : 0, TimesPlayed(c.sound))
                << c.sound << " frame " << frames;
            rival.Update();
            ++frames;
        }
        EXPECT_EQ(c.length + 1, frames) << c.sound;
    }
    // A clear mutes the next cheer only, even when other poses come between.
    rival.MuteNextHappy();
    rival.FlagReaction();
    for (int i = 0; i < 11; ++i) {
        rival.Draw(frame.Buffer());
        rival.Update();
    }
    for (int cheer = 0; cheer < 2; ++cheer) {
        ForgetSounds();
        rival.WinReaction();
        for (int i = 0; i < 51; ++i) {
            rival.Draw(frame.Buffer());
            rival.Update();
        }
        EXPECT_EQ(cheer, TimesPlayed("happy.wav")) << "cheer " << cheer;
    }
}

TEST_F(EffectsTest, RivalWalksBetweenOffsetsMinusTwoAndTwentySix) {
    Rival& rival = *game->rival;
    rival.Walk();
    int low = rival.xOffset, high = rival.xOffset;
    for (int i = 0; i < 400; ++i) {
        rival.Update();
        low = std::min(low, rival.xOffset);
        high = std::max(high, rival.xOffset);
        ASSERT_GE(rival.frame, 0);
        ASSERT_LT(rival.frame, 6);
    }
    EXPECT_EQ(-2, low);
    EXPECT_EQ(26, high);
}

TEST_F(EffectsTest, BigFishSwingsThroughItsThreePicturesAndASecondLaunchRestartsIt) {
    BigFish& fish = *game->bigFish;
    for (int i = 0; i < 3; ++i)
        Install(fish.fishImages[i], Solid(1, 1, static_cast<uint16_t>(0x90 + i)));
    auto step = [&] {
        frame.Fill(0);
        fish.Draw(frame.Buffer());
        return Shown();
    };
    EXPECT_EQ(0x90, step()) << "at rest";
    EXPECT_FALSE(fish.active);
    fish.Start();
    std::vector<uint16_t> shown;
    for (int i = 0; i < 5; ++i)
        shown.push_back(step());
    fish.Start();  // a second launch mid-swing
    for (int i = 0; i < 10; ++i)
        shown.push_back(step());
    const std::vector<uint16_t> expected = {0x90, 0x90, 0x90, 0x91, 0x91, 0x90, 0x90, 0x90,
                                            0x91, 0x91, 0x91, 0x92, 0x92, 0x92, 0x90};
    EXPECT_EQ(expected, shown);
    EXPECT_FALSE(fish.active);
}

}  // namespace
