// Random keys, taps, drags and releases in every state for a long run, with the game's invariants
// checked after every frame. Meant for the sanitizer build; TARN_MONKEY_FRAMES shortens it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "app/Globals.h"
#include "app/Program.h"
#include "game/Game.h"
#include "pages/TitleScene.h"
#include "platform/i_system.h"
#include "tests/GameInvariants.h"
#include "tests/TestSupport.h"

namespace {

// The full run belongs to the sanitizer build; the plain build takes a tenth of it.
long MonkeyFrames() {
    const char* env = std::getenv("TARN_MONKEY_FRAMES");
    return env && *env ? std::atol(env) : TARN_LONG_RUN_FRAMES;
}

// One event at most per frame, so the invariant check between frames can keep the monkey off
// the title page's quit entry. Taps avoid that entry's box too.
std::string MonkeyScript(long frames, unsigned seed) {
    std::mt19937 random(seed);
    const int keys[] = {37, 38, 39, 40, 193, 194, 195, 196, 37, 39, 193, 193};
    std::string script;
    bool dragging = false;
    for (long f = 0; f < frames; ++f) {
        const int roll = static_cast<int>(random() % 100);
        if (roll < 20) {
            const int key = keys[random() % (sizeof keys / sizeof keys[0])];
            script += std::to_string(f) + (random() % 3 ? " keydown " : " keyup ") +
                      std::to_string(key) + "\n";
        } else if (roll < 24 || (dragging && roll < 40)) {
            int x = static_cast<int>(random() % 240), y = static_cast<int>(random() % 320);
            if (x > 77 && x < 177 && y >= 240 && y < 283) y -= 60;
            const bool tap = !dragging || roll < 22;
            script += std::to_string(f) + (tap ? " tap " : " move ") + std::to_string(x) + " " +
                      std::to_string(y) + "\n";
            dragging = tap ? true : dragging;
        } else if (roll == 99 && dragging) {
            script += std::to_string(f) + " release " + std::to_string(random() % 240) + " " +
                      std::to_string(random() % 320) + "\n";
            dragging = false;
        }
    }
    return script;
}

GameInvariants g_invariants;

void CheckInvariants() {
    g_invariants.Check(*g_game);
    // The monkey may wander anywhere but out of the program.
    Game& g = *g_game;
    if (g.state == kStateTitle && g.titlePage && g.titlePage->selection == TitleScene::kQuit)
        g.titlePage->selection = TitleScene::kRoundsMode;
}

TEST(Monkey, RandomInputInEveryStateKeepsTheGameWhole) {
    const long frames = MonkeyFrames();
    const std::string dir = test::MakeTempDir();
    std::ofstream(dir + "/monkey.txt") << MonkeyScript(frames, 20261206);
    PlatformOptions options;
    options.headless = true;
    options.frames = frames;
    options.inputFile = dir + "/monkey.txt";
    options.dataDir = test::BuildDataDir();
    options.saveDir = dir + "/save";
    Program program;
    program.platform = options;
    program.observer = CheckInvariants;
    EXPECT_EQ(RunProgram(program, "tarngame").exitCode, 0);
    EXPECT_EQ(g_invariants.Frames(), frames);
    for (int s = 0; s < 5; ++s)
        EXPECT_GT(g_invariants.FramesIn(s), 0) << "state " << s;
}

}  // namespace
