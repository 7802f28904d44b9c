#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "gfx/Bitmap.h"
#include "pages/OptionsScene.h"
#include "tests/PageTestFixture.h"
#include "tools/assetgen/BmpWriter.h"

namespace {

enum Entry { kEffects = 0, kMusic = 1, kHiScores = 2, kStartRound = 3, kBack = 4 };

void SolidBmp(const std::string& path, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < w * h; ++i)
        rgb.insert(rgb.end(), {r, g, b});
    ASSERT_TRUE(assetgen::WriteBmp24(path, w, h, rgb.data()));
}

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
    void Select(int entry) { page->selection = entry; }
    void Tap(int x, int y) { game->OnTap(x, y); }
    int EffectsVolume() const { return SoundBank::GetEffectsVolume(); }
    int MusicVolume() const { return SoundBank::GetMusicVolume(); }

    OptionsScene* page = nullptr;
};

TEST_F(OptionsSceneTest, StartRoundRunsFromOneToOnePastTheBestClearedRoundAtMostFortyEight) {
    Select(kStartRound);
    game->bestRound = -1;  // nothing cleared yet: only the first round
    Key(Right());
    EXPECT_EQ(game->GetStartRound(), 0);
    EXPECT_EQ(page->litArrow, 2) << "the arrow lights even at the limit";
    Key(Left());
    EXPECT_EQ(game->GetStartRound(), 0);
    EXPECT_EQ(page->litArrow, 1);
    EXPECT_EQ(SoundsPlayed(), 0) << "start-round steps are silent";

    game->bestRound = 2;
    for (int i = 0; i < 6; ++i)
        Key(Right());
    EXPECT_EQ(game->GetStartRound(), 3);
    for (int i = 0; i < 6; ++i)
        Key(Left());
    EXPECT_EQ(game->GetStartRound(), 0);

    game->bestRound = 47;
    game->startRound = 46;
    Key(Right());
    Key(Right());
    EXPECT_EQ(game->GetStartRound(), 47);

    Select(kMusic);  // the arrows belong to their own entry only
    Key(Left());
    EXPECT_EQ(game->GetStartRound(), 47);
}

TEST_F(OptionsSceneTest, DrawsKnobsArrowsAndTheStartRoundWhereThePlayerExpectsThem) {
    for (char d = '0'; d <= '9'; ++d)
        SolidBmp(dataDir + "/" + d + "small.bmp", 10, 21, 0, 255, 0);
    SolidBmp(dataDir + "/rect.bmp", 4, 4, 0, 0, 255);
    SolidBmp(dataDir + "/arrowl0.bmp", 17, 29, 255, 255, 0);
    SolidBmp(dataDir + "/arrowl1.bmp", 17, 29, 255, 0, 255);
    SolidBmp(dataDir + "/arrowr0.bmp", 17, 29, 255, 255, 0);
    SolidBmp(dataDir + "/arrowr1.bmp", 17, 29, 255, 0, 255);
    RestartGame();
    Enter();
    const uint16_t kGreen565 = PackDisplayColour(0, 255, 0);
    const uint16_t kBlue565 = PackDisplayColour(0, 0, 255);
    const uint16_t kYellow565 = PackDisplayColour(255, 255, 0);
    const uint16_t kMagenta565 = PackDisplayColour(255, 0, 255);
    game->bestRound = 47;
    game->startRound = 8;  // shown as 9: one digit at x 160, digits sit one pixel left
    Tap(167, 110);         // effects volume 32

    test::Frame frame;
    game->Render(frame.Buffer());
    EXPECT_EQ(frame.Pixel(159, 213), kGreen565);
    EXPECT_NE(frame.Pixel(158, 213), kGreen565);
    EXPECT_EQ(frame.Pixel(167, 102), kBlue565) << "effects knob at volume + 135";
    EXPECT_NE(frame.Pixel(166, 102), kBlue565);
    EXPECT_EQ(frame.Pixel(199, 138), kBlue565) << "music knob at 64 + 135";
    EXPECT_EQ(frame.Pixel(133, 210), kYellow565);
    EXPECT_EQ(frame.Pixel(183, 210), kYellow565);

    Select(kStartRound);
    Key(Right());  // shown as 10: two digits from x 153
    frame.Fill(0);
    game->Render(frame.Buffer());
    EXPECT_EQ(frame.Pixel(152, 213), kGreen565);
    EXPECT_NE(frame.Pixel(151, 213), kGreen565);
    EXPECT_EQ(frame.Pixel(166, 213), kGreen565);
    EXPECT_EQ(frame.Pixel(183, 210), kMagenta565) << "the right arrow lights for this frame";
    EXPECT_EQ(frame.Pixel(133, 210), kYellow565);
    game->Render(frame.Buffer());
    EXPECT_EQ(frame.Pixel(183, 210), kYellow565) << "and only for this one";

    Key(Left());
    Key(Left());  // one digit again
    game->Render(frame.Buffer());
    EXPECT_EQ(frame.Pixel(133, 210), kMagenta565);
}

TEST_F(OptionsSceneTest, VolumeKeysStepByTwoAndNeverLeaveZeroToSixtyFour) {
    ASSERT_EQ(EffectsVolume(), 64);
    ASSERT_EQ(MusicVolume(), 64);
    Select(kEffects);
    Key(Right());
    EXPECT_EQ(EffectsVolume(), 64);
    EXPECT_EQ(SoundsPlayed(), 1) << "the menu sound plays even when 66 is refused";

    Tap(198, 110);  // odd value: 63
    EXPECT_EQ(EffectsVolume(), 63);
    Key(Right());
    EXPECT_EQ(EffectsVolume(), 63) << "65 is refused";
    Key(Left());
    EXPECT_EQ(EffectsVolume(), 61);

    Tap(135, 110);
    Key(Left());
    EXPECT_EQ(EffectsVolume(), 0);

    Select(kMusic);
    const int sounds = SoundsPlayed();
    Tap(198, 150);
    EXPECT_EQ(MusicVolume(), 63);
    EXPECT_EQ(page->selection, kMusic);
    Key(Right());
    EXPECT_EQ(MusicVolume(), 63);
    Key(Left());
    EXPECT_EQ(MusicVolume(), 61);
    EXPECT_EQ(SoundsPlayed(), sounds) << "music steps are silent";
}

TEST_F(OptionsSceneTest, BarTapsSetTheChannelsAtOnceAndOnlyInsideTheBars) {
    Select(kMusic);
    Tap(120, 110);  // -15 is refused, but the tap still selects and sounds
    EXPECT_EQ(EffectsVolume(), 64);
    EXPECT_EQ(page->selection, kEffects);
    EXPECT_EQ(SoundsPlayed(), 1);

    I_HeadlessSoundLog().clear();
    Tap(167, 126);
    EXPECT_EQ(EffectsVolume(), 32);
    const auto& log = I_HeadlessSoundLog();
    for (int c = 0; c < SoundBank::kEffectChannels; ++c) {
        const std::string line = "volume " + std::to_string(c) + " 32 32";
        EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << line;
    }

    I_HeadlessSoundLog().clear();
    Tap(150, 138);
    EXPECT_EQ(MusicVolume(), 15);
    EXPECT_EQ(page->selection, kMusic);
    EXPECT_EQ(I_HeadlessSoundLog(), std::vector<std::string>{"volume 7 15 15"});

    // Just outside either bar nothing changes, not even the selection.
    I_HeadlessSoundLog().clear();
    for (auto [x, y] :
         {std::pair{100, 110}, {234, 110}, {150, 101}, {150, 127}, {150, 137}, {150, 163}}) {
        Tap(x, y);
        EXPECT_EQ(EffectsVolume(), 32) << x << "," << y;
        EXPECT_EQ(MusicVolume(), 15) << x << "," << y;
    }
    EXPECT_TRUE(I_HeadlessSoundLog().empty());
    EXPECT_EQ(page->selection, kMusic);
}

TEST_F(OptionsSceneTest, DraggingAlongABarSetsTheVolumeContinuously) {
    int expectedSounds = 0;
    for (int x = 140; x <= 180; x += 10) {
        game->OnStylusMove(x, 115);
        EXPECT_EQ(EffectsVolume(), x - 135);
        EXPECT_EQ(SoundsPlayed(), ++expectedSounds) << "heard at each new volume";
    }
    for (int x = 150; x >= 136; x -= 7) {
        game->OnStylusMove(x, 150);
        EXPECT_EQ(MusicVolume(), x - 135);
    }
    EXPECT_EQ(SoundsPlayed(), expectedSounds);
    EXPECT_EQ(page->selection, kMusic);

    game->OnStylusMove(140, 230);  // over the menu: a drag confirms nothing
    EXPECT_EQ(game->state, kStateOptions);

    game->state = kStateTitle;  // only the options page follows the stylus
    game->OnStylusMove(160, 115);
    EXPECT_EQ(EffectsVolume(), 45);
}

struct TapCase {
    int x, y;
    int state;      // the game's state afterwards
    int roundStep;  // change of the start round
};

TEST_F(OptionsSceneTest, MenuAndArrowTapsCountUpToTheirEdgesAndOverlapAtTheArrowRow) {
    const TapCase cases[] = {
        // High scores: 62 < x < 212, 173 <= y <= 210.
        {63, 173, kStateHiScores, 0},
        {211, 190, kStateHiScores, 0},
        {62, 190, kStateOptions, 0},
        {212, 190, kStateOptions, 0},
        {100, 172, kStateOptions, 0},
        {100, 211, kStateOptions, 0},
        // Back: 247 <= y <= 284.
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
        {183, 220, kStateOptions, +1},
        {200, 239, kStateOptions, +1},
        {182, 220, kStateOptions, 0},
        {201, 220, kStateOptions, 0},
        // The arrows' top row lies in the high-score box as well: both happen.
        {140, 210, kStateHiScores, -1},
        {190, 210, kStateHiScores, +1},
    };
    game->bestRound = 47;
    for (const TapCase& c : cases) {
        Enter();
        game->hiScoreReturnState = kStateGameOver;
        game->startRound = 10;
        Tap(c.x, c.y);
        EXPECT_EQ(game->state, c.state) << c.x << "," << c.y;
        EXPECT_EQ(game->GetStartRound(), 10 + c.roundStep) << c.x << "," << c.y;
        if (c.state == kStateHiScores) {
            EXPECT_EQ(game->hiScoreReturnState, kStateOptions) << c.x << "," << c.y;
        }
        if (c.roundStep != 0) {
            EXPECT_EQ(page->selection, kStartRound) << c.x << "," << c.y;
        }
    }
}

TEST_F(OptionsSceneTest, CursorWrapsAndConfirmLeadsToHighScoresOrTitle) {
    Key(Up());
    EXPECT_EQ(page->selection, kBack);
    Key(Down());
    EXPECT_EQ(page->selection, kEffects);
    EXPECT_EQ(SoundsPlayed(), 2);

    Confirm();  // a volume entry has nothing to confirm
    EXPECT_EQ(game->state, kStateOptions);
    EXPECT_EQ(SoundsPlayed(), 3);

    Select(kHiScores);
    Confirm();
    EXPECT_EQ(game->state, kStateHiScores);
    Confirm();  // looking only: straight back here, cursor where it was
    EXPECT_EQ(game->state, kStateOptions);
    EXPECT_EQ(page->selection, kHiScores);

    Select(kBack);
    game->OnKeyDown(kConfirmKeys[2]);
    EXPECT_EQ(game->state, kStateTitle);
}

}  // namespace
