// The title page: its cursor keys, its tap box, its four entries, and quitting the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/Bitmap.h"
#include "pages/TitleScene.h"
#include "tests/GameTestFixture.h"
#include "tests/TestSupport.h"

namespace {

class TitlePageTest : public GameTestFixture {
  protected:
    void SetUp() override {
        GameTestFixture::SetUp();
        title = game->titlePage;
        ASSERT_NE(title, nullptr);
    }
    TitleScene* title = nullptr;
};

TEST_F(TitlePageTest, CursorKeysWrapAroundWithTheMenuSound) {
    title->OnKey(game->keys.vkUp);
    EXPECT_EQ(title->selection, 3);
    title->OnKey(game->keys.vkDown);
    EXPECT_EQ(title->selection, 0);
    title->selection = 3;
    title->OnKey(game->keys.vkDown);
    EXPECT_EQ(title->selection, 0);
    EXPECT_EQ(TimesPlayed("menu.wav"), 3);
    EXPECT_EQ(game->state, kStateTitle);
}

TEST_F(TitlePageTest, OnlyCursorAndConfirmKeysAct) {
    title->selection = 2;
    const int keys[] = {game->keys.vkLeft, game->keys.vkRight, kPauseKey, 0, 13, 192, 197};
    for (int key : keys) {
        title->OnKey(key);
        EXPECT_EQ(title->selection, 2) << key;
        EXPECT_EQ(game->state, kStateTitle) << key;
    }
    EXPECT_EQ(TimesPlayed("menu.wav"), 0);
    for (int key : kConfirmKeys) {
        game->state = kStateTitle;
        title->OnKey(key);
        EXPECT_EQ(game->state, kStateOptions) << key;
    }
}

TEST_F(TitlePageTest, TapsCountOnlyStrictlyInsideTheMenuBox) {
    // x, y, the entry confirmed (-1 none); entry 3 posts to a window tests do not have.
    const int cases[][3] = {{100, 112, 0},  {100, 153, 0},  {100, 154, 1},
                            {100, 282, 3},  {176, 200, 2},  {77, 200, -1},
                            {177, 200, -1}, {100, 111, -1}, {100, 283, -1}};
    const int stateAfter[] = {kStatePlay, kStatePlay, kStateOptions, kStateTitle};
    for (const auto& c : cases) {
        game->state = kStateTitle;
        game->running = false;
        game->pushMode = false;
        title->selection = 2;
        ForgetSounds();
        game->OnTap(c[0], c[1]);  // through the game, as the shell delivers it
        const int entry = c[2] < 0 ? 2 : c[2];
        EXPECT_EQ(title->selection, entry) << c[0] << "," << c[1];
        EXPECT_EQ(TimesPlayed("menu.wav"), c[2] < 0 ? 0 : 1) << c[0] << "," << c[1];
        EXPECT_EQ(game->state, c[2] < 0 ? kStateTitle : stateAfter[entry]) << c[0] << "," << c[1];
        EXPECT_EQ(game->pushMode, c[2] == 1) << c[0] << "," << c[1];
        EXPECT_EQ(game->running, c[2] == 0 || c[2] == 1) << c[0] << "," << c[1];
    }
}

// The quit entry goes through the window-destroy path: the program ends by itself, cleanly,
// long before its frame limit.
TEST(TitlePageEndToEnd, QuitEntryEndsTheProgram) {
    const std::string dir = test::MakeTempDir(), script = dir + "/quit.txt";
    const std::string text = "2 keydown 38\n4 keydown 193\n";
    test::WriteBytes(script, std::vector<uint8_t>(text.begin(), text.end()));
    const test::RunResult run =
        test::RunGame("--headless --frames 500 --stats --data-dir " + test::BuildDataDir() +
                      " --save-dir " + dir + "/save --input " + script);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string frames = test::StatsField(run.out, "frames");
    ASSERT_FALSE(frames.empty()) << run.out;
    EXPECT_LT(std::atol(frames.c_str()), 10);
}

}  // namespace
