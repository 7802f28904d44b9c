// The autoplayer plays for a long run in each mode, with the game's invariants checked after
// every frame. Meant for the sanitizer build, where it runs 200,000 frames per mode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/Globals.h"
#include "app/Program.h"
#include "bot/Autoplayer.h"
#include "game/Game.h"
#include "platform/FrameInput.h"
#include "platform/i_system.h"
#include "tests/GameInvariants.h"
#include "tests/TestSupport.h"

namespace {

GameInvariants g_invariants;

long SoakFrames() {
    const char* env = std::getenv("TARN_SOAK_FRAMES");
    return env && *env ? std::atol(env) : TARN_LONG_RUN_FRAMES;
}

void Soak(Autoplayer::Mode mode) {
    const long frames = SoakFrames();
    g_invariants = GameInvariants();  // each run counts its own frames
    PlatformOptions options;
    options.headless = true;
    options.frames = frames;
    options.dataDir = test::BuildDataDir();
    options.saveDir = test::MakeTempDir();
    Program program;
    program.platform = options;
    program.bot = mode;
    program.observer = [] { g_invariants.Check(*g_game); };
    EXPECT_EQ(RunProgram(program, "tarngame").exitCode, 0);
    EXPECT_EQ(g_invariants.Frames(), frames);
    EXPECT_GT(g_game->shotsFired, frames / 200);
    // The full run is long enough to go round the states: games end and are tried again.
    if (frames >= 100000) {
        EXPECT_GT(g_invariants.FramesIn(kStateHiScores), 0);
    }
}

TEST(Soak, RoundsMode) {
    Soak(Autoplayer::Mode::kRounds);
    EXPECT_GT(g_game->roundsCleared, SoakFrames() / 5000);
}

TEST(Soak, PushMode) {
    Soak(Autoplayer::Mode::kPush);
    EXPECT_TRUE(g_game->pushMode);
}

}  // namespace
