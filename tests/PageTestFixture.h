// A Game over the headless back end with its own empty data and save directories, for the
// page suites. The sounds the pages play are read back from the headless sound log.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "game/Game.h"
#include "platform/i_system.h"
#include "sound/SoundBank.h"
#include "tests/TestSupport.h"

class PageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dataDir = test::MakeTempDir();
        saveDir = test::MakeTempDir();
        PlatformOptions options;
        options.headless = true;
        options.dataDir = dataDir;
        options.saveDir = saveDir;
        std::string error;
        ASSERT_TRUE(I_Init(options, "tarn_tests", &error)) << error;
        test::UseDisplay565();
        test::UseDataDir(dataDir);
        test::UseSaveDir(saveDir);
        RestartGame();
    }
    void TearDown() override {
        game.reset();
        I_Shutdown();
        std::filesystem::remove_all(dataDir);
        std::filesystem::remove_all(saveDir);
    }
    // A fresh Game, as at program start, over what the directories hold now.
    void RestartGame() {
        game.reset();
        SoundBank::Reset();
        game = std::make_unique<Game>();
        I_HeadlessSoundLog().clear();
    }
    int SoundsPlayed() const {
        int n = 0;
        for (const std::string& line : I_HeadlessSoundLog())
            n += line.rfind("play ", 0) == 0 ? 1 : 0;
        return n;
    }
    // The page shown now counts as open long enough for its confirm to act, with no key held
    // from before and no confirm pressed lately.
    void Settle() {
        game->shownState = game->state;
        game->shownFrames = kResultPageGuardFrames;
        game->heldKeyCount = 0;
        game->awaitingRelease = false;
        game->lastConfirmFrame = game->drawnFrames - kMashFrames - 1;
    }
    void Key(int key) {
        Settle();
        game->OnKeyDown(key);
    }
    void Confirm() { Key(kConfirmKeys[0]); }
    void Tap(int x, int y) {
        Settle();
        game->OnTap(x, y);
    }

    std::string dataDir, saveDir;
    std::unique_ptr<Game> game;
};
