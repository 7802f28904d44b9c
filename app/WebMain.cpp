// The page's program (built only for the web): its start comes from the page's address instead
// of a command line (?input=URL&frames=N&fast=1&stats=1&shot=K for tests; #round=CODE plays a
// shared round, #edit opens the round editor on the player's set in the browser's storage,
// #edit&import=CODE adds a round to it first), then it runs as the desktop program does.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Globals.h"
#include "app/Program.h"
#include "app/ReplayRun.h"
#include "formats/ReplayHeader.h"
#include "formats/RoundCode.h"
#include "formats/RoundFormat.h"
#include "game/Game.h"
#include "pages/EditorScene.h"
#include "platform/web/PageCalls.h"
#include "platform/web/WebBackend.h"

namespace {

namespace web = platform::web;

// The player's own round set, kept with the saves so it lives in the browser's storage.
constexpr char kEditorFile[] = "/saves/rounds.txt";

// The editor, or its test of a round, is on the screen.
bool Editing() {
    return g_game && (g_game->state == kStateEditor || g_game->returnAfterPlay == kStateEditor);
}

// Leaving the editor goes to the title page: the page shows the game's tools again.
void FollowTheEditor() {
    static bool wasEditing = false;
    const bool editing = Editing();
    if (editing != wasEditing) web::ShowMode(editing ? "editor" : "game");
    wasEditing = editing;
}

const char* ModeName(Program::Start start, bool roundLink) {
    if (start == Program::Start::kEditor) return "editor";
    if (start == Program::Start::kWatch) return "replay";
    if (start == Program::Start::kDaily) return "daily";
    return roundLink && start == Program::Start::kPlay ? "round" : "game";
}

void KeepInBrowser(const ReplayStart& start, const ReplayResult& result, const std::string& text) {
    web::KeepReplay(start.board, result.score, text);
}

// The replay a ?replay=URL names, read whole up to the largest replay there is.
std::string FetchReplay(const std::string& url) {
    const char* path = "/tmp/replay.txt";
    std::string text;
    if (!web::FetchFile(url, path)) return text;
    if (FILE* f = std::fopen(path, "rb")) {
        char buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && text.size() <= kReplayMaxBytes)
            text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

// ?replay=URL watches a replay, #daily[=YYYY-MM-DD] plays the daily game; false for neither.
bool StartReplayFromAddress(Program* program) {
    if (const std::string url = web::AddressParam("replay"); !url.empty()) {
        program->start = Program::Start::kWatch;
        program->replayText = FetchReplay(url);
        program->editorOrTitle = true;
        return true;
    }
    if (!web::AddressFlag("daily")) return false;
    const std::string date = web::AddressParam("daily", true);
    if (!date.empty() && !IsValidReplayDate(date)) {
        std::fprintf(stderr, "tarngame: #daily takes a day as YYYY-MM-DD, not \"%s\"\n",
                     date.c_str());
        return false;
    }
    program->start = Program::Start::kDaily;
    program->dailyDate = date;
    return true;
}

// #edit and #round=CODE; a bad link leaves the plain game.
void StartFromAddress(Program* program) {
    if (web::AddressFlag("edit")) {
        program->start = Program::Start::kEditor;
        program->editFile = kEditorFile;
        program->editorOrTitle = true;
        // The page's import box, the way --import-round adds to the set; else unsaved work the
        // player chose to bring back.
        program->importCode = web::AddressParam("import", true);
        std::string text;
        RoundSet draft;
        if (program->importCode.empty() && web::TakeEditorDraft(&text, &program->draftRound) &&
            ParseRounds(text, draft, 1).empty())
            program->draftRounds = draft;
        return;
    }
    const std::string code = web::AddressParam("round", true);
    if (code.empty()) return;
    RoundRecord record;
    std::string error;
    // Played as --rounds plays a set: held to the rules the build checks.
    if (DecodeRoundCode(code, &record, &error) && (error = CheckRound(record, 0)).empty()) {
        // Its own set, so its progress and scores stay apart from the built-in ones.
        program->rounds = RoundBook::OfRecords({record}, true);
        program->start = Program::Start::kPlay;
        return;
    }
    std::fprintf(stderr, "tarngame: the page's address: %s\n", error.c_str());
    web::ShowNotice(error);
}

}  // namespace

// The page's share button: the code of the round on the editor's screen or in its try-out;
// "" elsewhere, and for a round a link would refuse to play.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tarn_editor_round_code() {
    static std::string code;
    code.clear();
    if (Editing())
        if (const auto* editor = dynamic_cast<const EditorScene*>(g_game->editorPage))
            if (std::string error;
                !ShareRoundCode(editor->Record(), editor->Current(), &code, &error))
                code.clear();
    return code.c_str();
}

// The page's editor button asks first when it would leave a game in play.
extern "C" EMSCRIPTEN_KEEPALIVE int tarn_game_in_play() {
    // Paused is still in play: leaving would lose the game all the same.
    return g_game && g_game->state == kStatePlay && (g_game->running || g_game->suspended) ? 1 : 0;
}

// The page's leave guard: the editor's unsaved set as text ("" when all is saved), kept by the
// page as a draft as the player goes.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tarn_editor_draft() {
    static std::string text;
    text.clear();
    if (g_game && g_game->state == kStateEditor)
        if (const auto* editor = dynamic_cast<const EditorScene*>(g_game->editorPage))
            if (editor->HasChanges())
                text = std::to_string(editor->Current()) + "\n" + editor->Text();
    return text.c_str();
}

// The Back button pauses a game in play before the page asks; the title page offers updates.
extern "C" EMSCRIPTEN_KEEPALIVE void tarn_pause_game() {
    if (tarn_game_in_play() && g_game->running) g_game->Suspend();
}

extern "C" EMSCRIPTEN_KEEPALIVE int tarn_on_title() {
    return g_game && g_game->state == kStateTitle ? 1 : 0;
}

// The page raises a phone's keyboard while a name is entered in the high-score table.
extern "C" EMSCRIPTEN_KEEPALIVE int tarn_name_entry() {
    return g_game && g_game->state == kStateHiScores && I_TypedKeys() ? 1 : 0;
}

int main() {
    Program program;
    program.platform.dataDir = "/data";
    program.platform.saveDir = "/saves";
    auto& page = web::Page();
    page.fast = web::AddressParam("fast") == "1";
    if (const std::string frames = web::AddressParam("frames"); !frames.empty())
        program.platform.frames = std::strtol(frames.c_str(), nullptr, 10);
    if (const std::string shot = web::AddressParam("shot"); !shot.empty()) {
        page.shotFrame = std::strtol(shot.c_str(), nullptr, 10);
        page.shotPath = "/tmp/shot.png";
        program.platform.shots.push_back({page.shotFrame, page.shotPath});
    }
    if (const std::string input = web::AddressParam("input"); !input.empty()) {
        program.platform.inputFile = "/tmp/input.txt";
        if (!web::FetchFile(input, program.platform.inputFile)) return 1;
    }
    program.stats = web::AddressParam("stats") == "1";
    // Finished games' replays go to the browser's database (replays.js), not to the saves.
    SetReplayKeeper(KeepInBrowser);
    if (!StartReplayFromAddress(&program)) StartFromAddress(&program);
    const bool roundLink = program.rounds.has_value();
    program.started = [roundLink](Program::Start start) {
        web::ShowMode(ModeName(start, roundLink));
        if (start == Program::Start::kWatch) web::ShowCaption("TarnGameFrame REPLAY");
        if (start == Program::Start::kDaily) web::ShowCaption("TarnGameFrame DAILY " + DailyDate());
    };
    program.observer = FollowTheEditor;
    const ProgramResult result = RunProgram(program, "/tarngame");
    if (!result.stats.empty()) web::ShowStats(result.stats);
    web::ShowGameEnded(result.exitCode);
    return result.exitCode;
}
