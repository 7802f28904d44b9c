// "\com.dat": the highest round index cleared, one little-endian 32-bit integer. A custom
// round set keeps its own file, named by the set (RoundBook).
#include <cstdio>

#include "game/Game.h"
#include "gfx/DataPath.h"
#include "platform/i_system.h"

int Game::LoadProgress() {
    char path[kMaxDataPath];
    // A set that keeps nothing (the editor's trial round) has no file name; a run without a
    // save folder (a replay being verified or watched) keeps nothing either.
    if (!roundBook.ProgressFile()[0] || I_SaveDir().empty() ||
        !MakeDataPath(path, I_SaveDir().c_str(), roundBook.ProgressFile()))
        return -1;
    FILE* f = std::fopen(path, "rb");
    if (!f) return -1;
    unsigned char bytes[4];
    const size_t n = std::fread(bytes, 1, 4, f);
    std::fclose(f);
    if (n != 4) return -1;
    const int value = static_cast<int>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                       static_cast<unsigned>(bytes[3]) << 24);
    return value >= 0 && value <= LastRound() ? value : -1;
}

void Game::SaveProgress() {
    if (round < bestRound) return;
    bestRound = round;
    char path[kMaxDataPath];
    if (!roundBook.ProgressFile()[0] || I_SaveDir().empty() ||
        !MakeDataPath(path, I_SaveDir().c_str(), roundBook.ProgressFile()))
        return;
    const unsigned char bytes[4] = {static_cast<unsigned char>(round & 0xFF),
                                    static_cast<unsigned char>(round >> 8 & 0xFF),
                                    static_cast<unsigned char>(round >> 16 & 0xFF),
                                    static_cast<unsigned char>(round >> 24 & 0xFF)};
    // Written aside and renamed over the old file: a crash mid-write keeps the old progress.
    I_WriteFileAtomic(path, bytes, sizeof bytes);
}
