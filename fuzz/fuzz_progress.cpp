// Any com.dat: progress is -1 or a round index 0..47.
#include <cstdlib>

#include "fuzz/FuzzSupport.h"
#include "game/Game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("com.dat", data, size);
    static Game* game = new Game();
    const int best = game->LoadProgress();
    if (best < -1 || best > 47) std::abort();
    return 0;
}
