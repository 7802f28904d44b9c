// Any data.dat: the table reads into names of at most five capitals or spaces, and saves whole.
#include <cstdlib>
#include <cstring>

#include "fuzz/FuzzSupport.h"
#include "game/Game.h"
#include "pages/HiScoreScene.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("data.dat", data, size);
    static Game* game = new Game();
    HiScoreScene& page = *game->hiScorePage;
    page.LoadTable();
    for (const auto& name : page.names) {
        const size_t length = strnlen(name, sizeof name);
        if (length > 5) std::abort();
        for (size_t i = 0; i < length; ++i)
            if (name[i] != ' ' && (name[i] < 'A' || name[i] > 'Z')) std::abort();
    }
    page.SaveTable();
    return 0;
}
