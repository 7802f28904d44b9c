// "\rounds.dat": 48 records of 83 bytes, rows 0..10 of 8 and 7 cells in turn.
#include <cstdio>

#include "app/Globals.h"
#include "game/Game.h"
#include "gfx/DataPath.h"

namespace {
constexpr long kRoundBytes = 83;
constexpr int kStoredRows = 11;
}  // namespace

void Game::LoadRound(int n) {
    for (auto& row : field)
        for (int& cell : row)
            cell = kEmptyCell;
    char path[kMaxDataPath];
    if (!MakeDataPath(path, g_moduleDirA, "\\rounds.dat")) return;
    FILE* f = std::fopen(path, "rb");
    if (!f) return;
    if (n >= 0 && std::fseek(f, kRoundBytes * n, SEEK_SET) == 0) {
        for (int r = 0; r < kStoredRows; ++r) {
            for (int c = 0; c < RowLength(r); ++c) {
                const int byte = std::fgetc(f);  // end of file reads as an empty cell
                field[r][c] = byte >= 1 && byte <= 8 ? byte : kEmptyCell;
            }
        }
    }
    std::fclose(f);
}

void Game::RaiseStartRound() {
    if (startRound <= bestRound && startRound < 47) ++startRound;
}

void Game::LowerStartRound() {
    if (startRound > 0) --startRound;
}
