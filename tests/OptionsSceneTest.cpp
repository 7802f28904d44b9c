#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gfx/Bitmap.h"
#include "pages/OptionsScene.h"
#include "tests/PageTestFixture.h"
#include "tools/assetgen/BmpWriter.h"

namespace {

enum Entry { kEffects = 0, kMusic = 1, kStartRound = 3 };

class OptionsSceneTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        Enter();
    }
    void Enter() {
        game->state = kStateOptions;
        page = game->optionsPage;
        ASSERT_NE(page, nullptr);
    }
    OptionsScene* page = nullptr;
};

TEST_F(OptionsSceneTest, StartRoundRunsFromOneToOnePastTheBestClearedRound) {
    page->selection = kStartRound;
    const int left = game->keys.vkLeft, right = game->keys.vkRight;
    Key(right);  // nothing cleared yet: only the first round
    EXPECT_EQ(game->GetStartRound(), 0);
    EXPECT_EQ(page->litArrow, 2) << "the arrow lights even at the limit";
    Key(left);
    EXPECT_EQ(game->GetStartRound(), 0);
    EXPECT_EQ(page->litArrow, 1);
    EXPECT_EQ(SoundsPlayed(), 0);

    game->bestRound = 2;
    for (int i = 0; i < 6; ++i)
        Key(right);
    EXPECT_EQ(game->GetStartRound(), 3);
    game->bestRound = 47;
    game->startRound = 46;
    Key(right);
    Key(right);
    EXPECT_EQ(game->GetStartRound(), 47);
}

TEST_F(OptionsSceneTest, VolumesStepByTwoWithinZeroToSixtyFourAndReachTheChannelsAtOnce) {
    page->selection = kEffects;
    Key(game->keys.vkRight);
    EXPECT_EQ(SoundBank::GetEffectsVolume(), 64);
    EXPECT_EQ(SoundsPlayed(), 1) << "the menu sound plays even when 66 is refused";
    game->OnTap(198, 110);
    Key(game->keys.vkRight);
    EXPECT_EQ(SoundBank::GetEffectsVolume(), 64) << "an odd volume still reaches the loudest";
    Key(game->keys.vkLeft);
    Key(game->keys.vkLeft);
    game->OnTap(136, 110);
    Key(game->keys.vkLeft);
    EXPECT_EQ(SoundBank::GetEffectsVolume(), 0) << "and silence";
    game->OnTap(196, 110);
    EXPECT_EQ(SoundBank::GetEffectsVolume(), 61);
    I_HeadlessSoundLog().clear();

    page->selection = kMusic;
    game->OnTap(120, 126);  // -15 is refused, yet the tap selects and sounds
    EXPECT_EQ(SoundBank::GetEffectsVolume(), 61);
    EXPECT_EQ(page->selection, kEffects);
    EXPECT_EQ(SoundsPlayed(), 1);

    I_HeadlessSoundLog().clear();
    game->OnTap(167, 102);
    const auto& log = I_HeadlessSoundLog();
    for (int c = 0; c < SoundBank::kEffectChannels; ++c)
        EXPECT_EQ(std::count(log.begin(), log.end(), "volume " + std::to_string(c) + " 32 32"), 1);

    I_HeadlessSoundLog().clear();
    game->OnTap(198, 162);
    Key(game->keys.vkRight);
    Key(game->keys.vkLeft);
    EXPECT_EQ(SoundBank::GetMusicVolume(), 62);
    EXPECT_EQ(I_HeadlessSoundLog(),
              (std::vector<std::string>{"volume 7 63 63", "volume 7 64 64", "volume 7 62 62"}))
        << "music steps are silent";

    I_HeadlessSoundLog().clear();
    for (auto [x, y] : {std::pair{100, 110}, {234, 110}, {150, 101}, {150, 127}, {150, 163}})
        game->OnTap(x, y);
    EXPECT_TRUE(I_HeadlessSoundLog().empty()) << "just outside the bars nothing happens";
}

TEST_F(OptionsSceneTest, DraggingAlongABarSetsTheVolumeContinuously) {
    for (int x = 140; x <= 180; x += 10) {
        game->OnStylusMove(x, 115);
        EXPECT_EQ(SoundBank::GetEffectsVolume(), x - 135);
    }
    EXPECT_EQ(SoundsPlayed(), 5) << "heard at each new volume";
    game->OnStylusMove(150, 150);
    EXPECT_EQ(SoundBank::GetMusicVolume(), 15);
    game->OnStylusMove(140, 230);  // a drag over the menu confirms nothing
    EXPECT_EQ(game->state, kStateOptions);
    game->state = kStateTitle;
    game->OnStylusMove(160, 115);
    EXPECT_EQ(SoundBank::GetEffectsVolume(), 45) << "only the options page follows the stylus";
}

TEST_F(OptionsSceneTest, MenuAndArrowTapsCountUpToTheirEdgesAndOverlapAtTheArrowRow) {
    struct Case {
        int x, y, state, roundStep;
    };
    const Case cases[] = {// High scores: 62 < x < 212, 173 <= y <= 210. Back: 247 <= y <= 284.
                          {63, 173, kStateHiScores, 0},
                          {211, 190, kStateHiScores, 0},
                          {62, 190, kStateOptions, 0},
                          {212, 190, kStateOptions, 0},
                          {100, 172, kStateOptions, 0},
                          {100, 211, kStateOptions, 0},
                          {100, 247, kStateTitle, 0},
                          {100, 284, kStateTitle, 0},
                          {100, 246, kStateOptions, 0},
                          {100, 285, kStateOptions, 0},
                          // Arrows: 133..150 and 183..200, 210 <= y <= 239.
                          {133, 239, kStateOptions, -1},
                          {150, 220, kStateOptions, -1},
                          {132, 220, kStateOptions, 0},
                          {151, 220, kStateOptions, 0},
                          {140, 240, kStateOptions, 0},
                          {183, 220, kStateOptions, 1},
                          {200, 239, kStateOptions, 1},
                          {182, 220, kStateOptions, 0},
                          {201, 220, kStateOptions, 0},
                          // The arrows' top row lies in the high-score box as well: both happen.
                          {140, 210, kStateHiScores, -1},
                          {190, 210, kStateHiScores, 1}};
    game->bestRound = 47;
    for (const Case& c : cases) {
        Enter();
        game->hiScoreReturnState = kStateGameOver;
        game->startRound = 10;
        game->OnTap(c.x, c.y);
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(game->state, c.state);
        EXPECT_EQ(game->GetStartRound(), 10 + c.roundStep);
        if (c.state == kStateHiScores) {
            EXPECT_EQ(game->hiScoreReturnState, kStateOptions);
        }
    }
    Confirm();  // back from the high scores to this page
    EXPECT_EQ(game->state, kStateOptions);
}

// The volumes set on the page are on disk as soon as they change, and a restart hears them.
TEST_F(OptionsSceneTest, EscapeAndBackspaceGoBackToTheTitle) {
    for (const int key : {kPauseKey, kExitKey}) {
        Enter();
        Key(key);
        EXPECT_EQ(game->state, kStateTitle) << key;
    }
}

TEST_F(OptionsSceneTest, TheStartRoundSurvivesARestartWithinTheProgress) {
    page->selection = kStartRound;
    game->bestRound = 4;
    for (int i = 0; i < 3; ++i)
        Key(game->keys.vkRight);
    ASSERT_EQ(game->GetStartRound(), 3);
    for (const int best : {4, 1}) {
        const unsigned char bytes[4] = {static_cast<unsigned char>(best), 0, 0, 0};
        test::WriteBytes(saveDir + "/com.dat", std::vector<uint8_t>(bytes, bytes + 4));
        RestartGame();
        EXPECT_EQ(game->GetStartRound(), best == 4 ? 3 : 2) << "progress " << best;
    }
}

TEST_F(OptionsSceneTest, VolumesSurviveARestart) {
    page->selection = kEffects;
    for (int i = 0; i < 5; ++i)
        Key(game->keys.vkLeft);
    Tap(150, 150);  // the music bar at 15
    const int effects = SoundBank::GetEffectsVolume(), music = SoundBank::GetMusicVolume();
    EXPECT_EQ(effects, 54);
    EXPECT_EQ(music, 15);
    RestartGame();
    EXPECT_EQ(SoundBank::GetEffectsVolume(), effects);
    EXPECT_EQ(SoundBank::GetMusicVolume(), music);
}

// Anything but the game's own layout gives the default volumes, with one warning.
TEST_F(OptionsSceneTest, ADamagedOrForeignSettingsFileGivesTheDefaults) {
    const std::string cases[] = {
        "",
        "tarngame-settings 1\neffects 10\n",
        "tarngame-settings 2\neffects 10\nmusic 20\n",
        "tarngame-settings 1\neffects 65\nmusic 20\n",
        "tarngame-settings 1\neffects -1\nmusic 20\n",
        "tarngame-settings 1\nmusic 20\neffects 10\n",
        "tarngame-settings 1\neffects 10\nmusic 20\nextra\n",
        "tarngame-settings 1\neffects 10\nmusic 20\nstart 0\n",
        std::string("tarngame-settings 1\neffects 10\0\nmusic 20\n", 42),
        std::string(4000, 'x'),
    };
    for (const std::string& text : cases) {
        test::WriteBytes(saveDir + "/settings.txt", std::vector<uint8_t>(text.begin(), text.end()));
        testing::internal::CaptureStderr();
        RestartGame();
        const std::string warning = testing::internal::GetCapturedStderr();
        EXPECT_EQ(SoundBank::GetEffectsVolume(), 64) << text;
        EXPECT_EQ(SoundBank::GetMusicVolume(), 64) << text;
        EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1) << text;
        EXPECT_NE(warning.find("settings.txt"), std::string::npos);
    }
    const std::string good = "tarngame-settings 1\neffects 0\nmusic 38\n";
    test::WriteBytes(saveDir + "/settings.txt", std::vector<uint8_t>(good.begin(), good.end()));
    RestartGame();
    EXPECT_EQ(SoundBank::GetEffectsVolume(), 0);
    EXPECT_EQ(SoundBank::GetMusicVolume(), 38);
}

}  // namespace
