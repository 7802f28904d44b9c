// Any rounds.dat: every round loads into cells -1 or 1..8.
#include <cstdlib>

#include "fuzz/FuzzSupport.h"
#include "game/Game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("rounds.dat", data, size);
    static Game* game = new Game();
    for (int n = 0; n < 48; ++n) {
        game->LoadRound(n);
        for (auto& row : game->field)
            for (int cell : row)
                if (cell != kEmptyCell && (cell < 1 || cell > 8)) std::abort();
    }
    return 0;
}
