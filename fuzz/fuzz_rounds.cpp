// Any rounds.dat: every round loads into cells -1 or 1..8. The same bytes as the text form of
// --rounds and the editor: compiled or refused, and what compiles reads back from its own text.
#include <cstdlib>
#include <string>

#include "app/Globals.h"
#include "formats/RoundCode.h"
#include "formats/RoundFormat.h"
#include "fuzz/FuzzSupport.h"
#include "game/Game.h"
#include "platform/i_system.h"

namespace {

void CheckText(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    RoundSet set;
    if (!ParseRounds(text, set, 1).empty()) return;
    RoundSet again;
    if (!ParseRounds(FormatRounds(set), again, 1).empty() || again.records != set.records ||
        !ParseRounds(FormatRoundsKeeping(set, set), again, 1).empty() ||
        again.records != set.records)
        std::abort();
    CheckRounds(set);
    RoundBook book;
    std::string error;
    RoundBook::Compile(text, &book, &error);
    // The first line as a round code: refused, or a round that codes back to itself.
    RoundRecord record{};
    const std::string code = text.substr(0, text.find('\n'));
    if (DecodeRoundCode(code, &record, &error) && EncodeRoundCode(record) != code) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckText(data, size);
    fuzz::WriteFile("rounds.dat", data, size);
    static Game* game = new Game();
    game->UseRounds(RoundBook::BuiltIn(I_DataDir().c_str()));
    for (int n = 0; n < 48; ++n) {
        game->LoadRound(n);
        for (auto& row : game->field)
            for (int cell : row)
                if (cell != kEmptyCell && (cell < 1 || cell > 8)) std::abort();
    }
    return 0;
}
