// The page's program (built only for the web): its start comes from the page's address instead
// of a command line (?input=URL&frames=N&fast=1&stats=1&shot=K for tests; #round=CODE plays a
// shared round, #edit opens the round editor on the player's set in the browser's storage),
// then it runs as the desktop program does.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Globals.h"
#include "app/Program.h"
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
    return roundLink && start == Program::Start::kPlay ? "round" : "game";
}

// #edit and #round=CODE; a bad link leaves the plain game.
void StartFromAddress(Program* program) {
    if (web::AddressFlag("edit")) {
        program->start = Program::Start::kEditor;
        program->editFile = kEditorFile;
        program->editorOrTitle = true;
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
}

}  // namespace

// The page's share button: the code of the round on the editor's screen; "" elsewhere, and
// for a round a link would refuse to play.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tarn_editor_round_code() {
    static std::string code;
    code.clear();
    if (g_game && g_game->state == kStateEditor)
        if (const auto* editor = dynamic_cast<const EditorScene*>(g_game->editorPage))
            if (std::string error;
                !ShareRoundCode(editor->Record(), editor->Current(), &code, &error))
                code.clear();
    return code.c_str();
}

// The page's editor button asks first when it would leave a game in play.
extern "C" EMSCRIPTEN_KEEPALIVE int tarn_game_in_play() {
    return g_game && g_game->state == kStatePlay && g_game->running ? 1 : 0;
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
    StartFromAddress(&program);
    const bool roundLink = program.rounds.has_value();
    program.started = [roundLink](Program::Start start) {
        web::ShowMode(ModeName(start, roundLink));
    };
    program.observer = FollowTheEditor;
    const ProgramResult result = RunProgram(program, "/tarngame");
    if (!result.stats.empty()) web::ShowStats(result.stats);
    web::ShowGameEnded(result.exitCode);
    return result.exitCode;
}
