// The title page: its cursor, its tap box, its four entries, and quitting the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "game/Game.h"
#include "gfx/Bitmap.h"
#include "pages/TitleScene.h"
#include "platform/i_system.h"
#include "sound/SoundBank.h"
#include "tests/TestSupport.h"

namespace {

class TitlePageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseDisplay565();
        dataDir_ = test::MakeTempDir();
        saveDir_ = test::MakeTempDir();
        test::UseDataDir(dataDir_);
        test::UseSaveDir(saveDir_);
        PlatformOptions options;
        options.headless = true;
        options.dataDir = dataDir_;
        options.saveDir = saveDir_;
        std::string error;
        ASSERT_TRUE(I_Init(options, "tarngame", &error)) << error;
        SoundBank::Reset();
        game = std::make_unique<Game>();
        title = game->titlePage;
        ASSERT_NE(title, nullptr);
        I_HeadlessSoundLog().clear();
    }
    void TearDown() override {
        game.reset();
        I_Shutdown();
        std::filesystem::remove_all(dataDir_);
        std::filesystem::remove_all(saveDir_);
    }

    // Every sound the page plays is the menu sound; count the library's play calls.
    int SoundsPlayed() const {
        int n = 0;
        for (const std::string& line : I_HeadlessSoundLog())
            n += line.rfind("play ", 0) == 0;
        return n;
    }

    std::unique_ptr<Game> game;
    TitleScene* title = nullptr;
    std::string dataDir_, saveDir_;
};

TEST_F(TitlePageTest, IsTheFirstPageAndTheGameRoutesToIt) {
    EXPECT_EQ(game->state, kStateTitle);
    EXPECT_EQ(game->PageForState(kStateTitle), title);
    game->OnKeyDown(game->keys.vkDown);
    EXPECT_EQ(title->selection, 1);
    game->OnTap(100, 200);  // entry 2, the options
    EXPECT_EQ(game->state, kStateOptions);
}

TEST_F(TitlePageTest, CursorKeysWrapAroundWithTheMenuSound) {
    title->OnKey(game->keys.vkUp);
    EXPECT_EQ(title->selection, 3);
    EXPECT_EQ(SoundsPlayed(), 1);
    title->OnKey(game->keys.vkDown);
    EXPECT_EQ(title->selection, 0);
    title->OnKey(game->keys.vkDown);
    title->OnKey(game->keys.vkDown);
    title->OnKey(game->keys.vkDown);
    EXPECT_EQ(title->selection, 3);
    title->OnKey(game->keys.vkDown);
    EXPECT_EQ(title->selection, 0);
    EXPECT_EQ(SoundsPlayed(), 6);
    EXPECT_EQ(game->state, kStateTitle);
}

TEST_F(TitlePageTest, OtherKeysAreIgnored) {
    title->selection = 2;
    const int keys[] = {game->keys.vkLeft, game->keys.vkRight, kPauseKey, 0, 13, 192, 197};
    for (int key : keys) {
        title->OnKey(key);
        EXPECT_EQ(title->selection, 2) << key;
        EXPECT_EQ(game->state, kStateTitle) << key;
    }
    EXPECT_EQ(SoundsPlayed(), 0);
}

TEST_F(TitlePageTest, EveryConfirmKeyStartsTheEntryUnderTheCursor) {
    for (int key : kConfirmKeys) {
        game->state = kStateTitle;
        game->running = false;
        title->selection = 0;
        title->OnKey(key);
        EXPECT_EQ(game->state, kStatePlay) << key;
        EXPECT_TRUE(game->running) << key;
    }
    EXPECT_EQ(SoundsPlayed(), 3);
}

TEST_F(TitlePageTest, RoundsAndPushModeEntries) {
    game->pushMode = true;
    game->rowParity = 1;
    game->rowParityFlag = true;
    title->OnKey(kConfirmKeys[0]);
    EXPECT_FALSE(game->pushMode);
    EXPECT_EQ(game->rowParity, 0);
    EXPECT_FALSE(game->rowParityFlag);

    game->state = kStateTitle;
    title->OnKey(game->keys.vkDown);
    title->OnKey(kConfirmKeys[1]);
    EXPECT_TRUE(game->pushMode);
    EXPECT_EQ(game->state, kStatePlay);
    EXPECT_TRUE(game->running);
}

TEST_F(TitlePageTest, TapsCountOnlyStrictlyInsideTheMenuBox) {
    struct Case {
        int x, y;
        int entry;  // -1: nothing happens
    };
    const Case cases[] = {{100, 112, 0},  {100, 153, 0}, {100, 154, 1}, {100, 282, 3},
                          {78, 200, 2},   {176, 200, 2}, {77, 200, -1}, {177, 200, -1},
                          {100, 111, -1}, {100, 283, -1}};
    for (const Case& c : cases) {
        game->state = kStateTitle;
        game->pushMode = false;
        title->selection = 2;
        I_HeadlessSoundLog().clear();
        title->OnTap(c.x, c.y);
        if (c.entry < 0) {
            EXPECT_EQ(title->selection, 2) << c.x << "," << c.y;
            EXPECT_EQ(game->state, kStateTitle) << c.x << "," << c.y;
            EXPECT_EQ(SoundsPlayed(), 0) << c.x << "," << c.y;
            continue;
        }
        EXPECT_EQ(title->selection, c.entry) << c.x << "," << c.y;
        EXPECT_EQ(SoundsPlayed(), 1) << c.x << "," << c.y;
        const int states[] = {kStatePlay, kStatePlay, kStateOptions, kStateTitle};
        EXPECT_EQ(game->state, states[c.entry]) << c.x << "," << c.y;
        EXPECT_EQ(game->pushMode, c.entry == 1) << c.x << "," << c.y;
    }
}

TEST_F(TitlePageTest, DrawsTheBackgroundAndTheCursorBesideItsEntry) {
    auto solid = [](int w, int h, uint16_t v) {
        auto* b = new Bitmap;
        b->width = w;
        b->height = h;
        b->pixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(w) * h, 2));
        for (int i = 0; i < w * h; ++i)
            reinterpret_cast<uint16_t*>(b->pixels)[i] = v;
        return b;
    };
    delete title->background;
    title->background = solid(240, 320, 0x1111);
    delete title->cursor;
    title->cursor = solid(1, 1, 0x2222);
    test::Frame frame;
    const int cursorY[] = {111, 154, 197, 240};
    for (int entry = 0; entry < 4; ++entry) {
        title->selection = entry;
        game->Render(frame.Buffer());
        EXPECT_EQ(frame.Pixel(47, cursorY[entry]), 0x2222) << entry;
        EXPECT_EQ(frame.Pixel(47, cursorY[entry] + 1), 0x1111) << entry;
        EXPECT_EQ(frame.Pixel(0, 0), 0x1111);
    }
}

// The quit entry goes through the window-destroy path: the program ends by itself, cleanly,
// long before its frame limit.
TEST(TitlePageEndToEnd, QuitEntryEndsTheProgram) {
    const std::string dir = test::MakeTempDir();
    const std::string script = dir + "/quit.txt";
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
    EXPECT_EQ(test::StatsField(run.out, "state"), "1");
}

}  // namespace
