// The per-frame input source (the autoplayer's way in), run in-process on the headless back
// end: asked once for every frame, its keys reach the game before that frame and are recorded.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/Program.h"
#include "game/Game.h"
#include "pages/TitleScene.h"
#include "platform/FrameInput.h"
#include "platform/i_system.h"
#include "platform/i_window.h"
#include "tests/TestSupport.h"

namespace {

TEST(FrameInput, AskedOncePerFrameDeliveredBeforeItAndRecorded) {
    PlatformOptions options;
    options.headless = true;
    options.frames = 12;
    options.dataDir = test::MakeDataDir();
    options.saveDir = test::MakeTempDir();
    options.recordFile = test::MakeTempDir() + "/run.input";
    Program program;
    program.platform = options;
    std::vector<long> asked;
    int selectionSeenAt6 = -1;
    program.input = [&](long frame, std::vector<InputEvent>* events) {
        asked.push_back(frame);
        if (frame == 6 && g_game) selectionSeenAt6 = g_game->titlePage->selection;
        if (frame != 5) return;
        InputEvent down;
        down.frame = frame;
        down.message = WM_KEYDOWN;
        down.a = 40;
        events->push_back(down);
        InputEvent up = down;
        up.message = WM_KEYUP;
        events->push_back(up);
    };
    EXPECT_EQ(RunProgram(program, "tarngame").exitCode, 0);

    std::vector<long> expected;
    for (long f = 0; f <= 12; ++f)
        expected.push_back(f);  // the last ask comes before the run stops
    EXPECT_EQ(expected, asked);
    EXPECT_EQ(TitleScene::kPushMode, selectionSeenAt6);  // frame 5's key has acted
    std::ifstream in(options.recordFile);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("\n5 keydown 40\n5 keyup 40\n"), std::string::npos) << text.str();
}

}  // namespace
