// One whole play-screen frame (update and render) on a busy field, with a boss and effects:
// the work the game does 20 times a second.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "actors/BreakEffect.h"
#include "actors/FallingBubbleEffect.h"
#include "app/Globals.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"

namespace {

void UseBuildData() {
    const GXDisplayProperties display = PortraitDisplay();
    SetShellEnvironment(&display, TARN_BUILD_DATA_DIR, "/nonexistent-bench-save");
}

void PlayFrame(benchmark::State& state) {
    UseBuildData();
    auto game = std::make_unique<Game>();
    game->SelectRoundsMode();
    game->startRound = 11;  // the insect's round
    game->NewGame();
    game->state = kStatePlay;
    game->SetRunning();
    std::mt19937 random(7);
    int busy[kFieldRows][kFieldCols];
    for (int r = 0; r < kFieldRows; ++r)
        for (int c = 0; c < kFieldCols; ++c)
            busy[r][c] = r < 9 ? static_cast<int>(random() % 8) + 1 : kEmptyCell;
    std::vector<uint16_t> frame(240 * 320);
    BackBuffer target(reinterpret_cast<uint8_t*>(frame.data()), 240, 320, 2, 480, 2);
    long n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(game->field, busy, sizeof busy);
        game->losing = false;
        if (n++ % 3 == 0) {
            game->AddEffect(new BreakEffect(100, 100, 3));
            game->AddEffect(new FallingBubbleEffect(120, 80, 5, game->ballImages));
        }
        state.ResumeTiming();
        game->Update();
        game->Render(target);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(PlayFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
