// The sound bank against the headless back end, which records every call to the sound library.
#include <gtest/gtest.h>

#include "platform/i_system.h"
#include "sound/SoundBank.h"
#include "tests/TestSupport.h"

namespace {

class SoundBankTest : public ::testing::Test {
  protected:
    void SetUp() override {
        PlatformOptions options;
        options.headless = true;
        options.dataDir = test::MakeTempDir();
        std::string error;
        ASSERT_TRUE(I_Init(options, "tarngame", &error)) << error;
        test::UseDataDir("/data");
        SoundBank::Reset();
        Log().clear();
    }
    void TearDown() override { I_Shutdown(); }
    static std::vector<std::string>& Log() { return I_HeadlessSoundLog(); }
};

TEST_F(SoundBankTest, EffectsTakeTheChannelsInTurnAndTheEighthReplacesTheFirst) {
    for (int i = 0; i < 8; ++i)
        SoundBank::PlayEffect(i);
    EXPECT_EQ(Log()[0], "load 0 go.wav");
    EXPECT_EQ(Log()[1], "volume 0 0 0");
    EXPECT_EQ(Log()[2], "play 0 0");
    EXPECT_EQ(Log()[6 * 3], "load 6 bonus.wav");
    EXPECT_EQ(Log()[7 * 3], "load 0 ben.wav");
    Log().clear();
    SoundBank::PlayEffect(0);  // go was pushed out: loaded again, into channel 1
    EXPECT_EQ(Log()[0], "load 1 go.wav");
}

TEST_F(SoundBankTest, ARepeatedEffectIsLoadedOnce) {
    SoundBank::PlayMenu();
    SoundBank::PlayMenu();
    EXPECT_EQ(Log(), (std::vector<std::string>{"load 0 menu.wav", "volume 0 0 0", "play 0 0",
                                               "play 0 0"}));
}

TEST_F(SoundBankTest, VolumesOutsideTheRangeAreRefused) {
    SoundBank::SetEffectsVolume(64);
    EXPECT_EQ(Log().size(), 7u);  // every effect channel at once
    EXPECT_EQ(Log()[6], "volume 6 64 64");
    Log().clear();
    SoundBank::SetEffectsVolume(65);
    SoundBank::SetEffectsVolume(-1);
    SoundBank::SetMusicVolume(65);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(SoundBank::GetEffectsVolume(), 64);
    SoundBank::SetEffectsVolume(0);
    EXPECT_EQ(SoundBank::GetEffectsVolume(), 0);
    SoundBank::SetMusicVolume(31);
    EXPECT_EQ(Log().back(), "volume 7 31 31");
    EXPECT_EQ(SoundBank::GetMusicVolume(), 31);
}

TEST_F(SoundBankTest, MusicLoopsOnItsOwnChannel) {
    SoundBank::StartMusic();
    EXPECT_EQ(Log(), (std::vector<std::string>{"load 7 backnormal.wav", "play 7 1"}));
    SoundBank::PlayEffect(14);  // not an effect
    SoundBank::PlayEffect(-1);
    EXPECT_EQ(Log().size(), 2u);
}

}  // namespace
