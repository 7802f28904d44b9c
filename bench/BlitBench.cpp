// The copies every frame is made of, at the sizes the game draws.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"

namespace {

std::unique_ptr<Bitmap> Picture(int w, int h, bool keyed) {
    auto b = std::make_unique<Bitmap>();
    b->width = w;
    b->height = h;
    b->pixels = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(w) * h * 2));
    for (int i = 0; i < w * h; ++i) {
        // About a third of a keyed picture is transparent, as around a bubble.
        const uint16_t v = keyed && i % 3 == 0 ? 0 : static_cast<uint16_t>(0x1234 + i);
        std::memcpy(b->pixels + i * 2, &v, 2);
    }
    b->keyEnabled = keyed;
    return b;
}

void Blit(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const bool keyed = state.range(2) != 0;
    std::vector<uint16_t> frame(240 * 320);
    BackBuffer target(reinterpret_cast<uint8_t*>(frame.data()), 240, 320, 2, 480, 2);
    auto picture = Picture(w, h, keyed);
    for (auto _ : state) {
        target.Draw(picture.get(), 10, 10, 0);
        benchmark::DoNotOptimize(frame.data());
    }
    state.SetItemsProcessed(state.iterations() * w * h);
}

// Bubble, effect, arrow, background tile, board and page, each unkeyed (0) and keyed (1).
BENCHMARK(Blit)
    ->ArgNames({"w", "h", "keyed"})
    ->Args({22, 22, 0})
    ->Args({22, 22, 1})
    ->Args({88, 88, 1})
    ->Args({60, 54, 0})
    ->Args({240, 320, 0})
    ->Args({240, 320, 1});

}  // namespace

BENCHMARK_MAIN();
