// The page's program: its options come from the page's address instead of a command line
// (?input=URL&frames=N&fast=1&stats=1&shot=K for tests; #round=CODE plays a shared round,
// #edit opens the round editor on the player's set in the browser's storage, #edit&import=CODE
// adds a round to it), then the
// shell runs as on the desktop.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Globals.h"
#include "app/Resources.h"
#include "app/Shell.h"
#include "app/StatsReport.h"
#include "game/Game.h"
#include "game/RoundBook.h"
#include "game/RoundCode.h"
#include "game/RoundFormat.h"
#include "pages/EditorScene.h"
#include "platform/i_system.h"
#include "platform/web/WebBackend.h"

// clang-format off
// The value of one parameter of the page's address, from its query (?name=value) or its
// fragment (#name=value); "" when absent. The buffer is the caller's.
EM_JS(void, tarn_url_param, (const char* name, char* out, int size, int fragment), {
    const part = fragment ? window.location.hash.substring(1) : window.location.search;
    const value = new URLSearchParams(part).get(UTF8ToString(name)) || "";
    stringToUTF8(value, out, size);
});

EM_JS(int, tarn_url_flag, (const char* name), {
    return new URLSearchParams(window.location.hash.substring(1)).has(UTF8ToString(name)) ? 1 : 0;
});

EM_JS(void, tarn_page_mode, (const char* mode), {
    if (Module.onMode) Module.onMode(UTF8ToString(mode));
});

// Fetches a file relative to the page into the program's file system; 1 when it arrived.
EM_ASYNC_JS(int, tarn_fetch_file, (const char* url, const char* path), {
    try {
        const response = await fetch(UTF8ToString(url), { cache: "no-store" });
        if (!response.ok) throw new Error(response.status + " " + response.statusText);
        FS.writeFile(UTF8ToString(path), new Uint8Array(await response.arrayBuffer()));
        return 1;
    } catch (e) {
        console.error("tarngame: cannot fetch " + UTF8ToString(url) + ": " + e.message);
        return 0;
    }
});

// Why the address was not followed, on the page as well as in the console.
EM_JS(void, tarn_page_notice, (const char* text), {
    if (Module.onNotice) Module.onNotice(UTF8ToString(text));
});

// The editor draft the player chose to bring back (the page keeps it in storage); "" if none.
EM_JS(int, tarn_draft_size, (), {
    return Module.tarnDraft ? lengthBytesUTF8(Module.tarnDraft.text) + 1 : 0;
});
EM_JS(int, tarn_draft_take, (char* out, int size), {
    stringToUTF8(Module.tarnDraft.text, out, size);
    return Module.tarnDraft.round | 0;
});

EM_JS(void, tarn_report_stats, (const char* json), {
    const text = UTF8ToString(json);
    console.log(text);
    const element = document.getElementById("stats");
    if (element) element.textContent = text;
});

EM_JS(void, tarn_game_over, (int code), {
    if (Module.onGameEnded) Module.onGameEnded(code);
});
// clang-format on

namespace {

std::string Param(const char* name, bool fragment = false) {
    char buffer[1024];
    tarn_url_param(name, buffer, sizeof buffer, fragment ? 1 : 0);
    return buffer;
}

// The player's own round set, kept with the saves so it lives in the browser's storage.
constexpr char kEditorFile[] = "/saves/rounds.txt";

EditorStart g_pageEditor;
RoundBook g_pageRounds;

// The page's draft of unsaved editor work, in place of the file's rounds; false if none or
// unreadable.
bool TakeDraft() {
    const int size = tarn_draft_size();
    if (size <= 0) return false;
    std::string text(static_cast<size_t>(size), '\0');
    const int round = tarn_draft_take(text.data(), size);
    text.resize(std::strlen(text.c_str()));
    RoundSet rounds;
    if (!ParseRounds(text, rounds, 1).empty()) return false;
    g_pageEditor.rounds = rounds;
    g_pageEditor.round = round;
    g_pageEditor.unsaved = true;
    return true;
}

// #edit&import=CODE: the page's import box, the way --import-round adds to the set.
bool OpenEditor(std::string* error) {
    g_pageEditor.path = kEditorFile;
    if (const std::string code = Param("import", true); !code.empty()) {
        RoundRecord record;
        return DecodeRoundCode(code, &record, error) &&
               EditorScene::ImportRound(kEditorFile, record, &g_pageEditor, error);
    }
    if (!EditorScene::OpenFile(kEditorFile, &g_pageEditor.rounds, error)) return false;
    TakeDraft();
    return true;
}

// #edit and #round=CODE, read once the saves are loaded; a bad link leaves the plain game.
void StartFromAddress() {
    std::string error;
    if (tarn_url_flag("edit")) {
        if (OpenEditor(&error)) {
            g_editorStart = &g_pageEditor;
            tarn_page_mode("editor");
            return;
        }
    } else if (const std::string code = Param("round", true); !code.empty()) {
        RoundRecord record;
        // Played as --rounds plays a set: held to the rules the build checks.
        if (DecodeRoundCode(code, &record, &error) && (error = CheckRound(record, 0)).empty()) {
            // Its own set, so its progress and scores stay apart from the built-in ones.
            g_pageRounds = RoundBook::OfRecords({record}, true);
            g_customRounds = &g_pageRounds;
            g_playAtStart = true;
            tarn_page_mode("round");
            return;
        }
    } else {
        tarn_page_mode("game");
        return;
    }
    std::fprintf(stderr, "tarngame: the page's address: %s\n", error.c_str());
    tarn_page_notice(error.c_str());
    tarn_page_mode("game");
}

}  // namespace

// The page's share button: the code of the round on the editor's screen or in its try-out;
// "" elsewhere, and for a round a link would refuse to play.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tarn_editor_round_code() {
    static std::string code;
    code.clear();
    // In the editor's try-out too: the round being tried is the editor's.
    if (g_game && (g_game->state == kStateEditor || g_game->editorTrial))
        if (const auto* editor = dynamic_cast<const EditorScene*>(g_game->editorPage))
            if (CheckRound(editor->Record(), 0).empty()) code = EncodeRoundCode(editor->Record());
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

int main() {
    PlatformOptions options;
    options.dataDir = "/data";
    options.saveDir = "/saves";
    auto& page = platform::web::Page();
    page.fast = Param("fast") == "1";
    if (const std::string frames = Param("frames"); !frames.empty())
        options.frames = std::strtol(frames.c_str(), nullptr, 10);
    if (const std::string shot = Param("shot"); !shot.empty()) {
        page.shotFrame = std::strtol(shot.c_str(), nullptr, 10);
        page.shotPath = "/tmp/shot.png";
        options.shots.push_back({page.shotFrame, page.shotPath});
    }
    if (const std::string input = Param("input"); !input.empty()) {
        options.inputFile = "/tmp/input.txt";
        if (!tarn_fetch_file(input.c_str(), options.inputFile.c_str())) return 1;
    }
    RegisterResources(AppResources());
    std::string error;
    if (!I_Init(options, "/tarngame", &error)) {
        std::fprintf(stderr, "tarngame: %s\n", error.c_str());
        return 1;
    }
    StartFromAddress();
    const int exitCode = WinMain(nullptr, nullptr, L"", 1);
    if (Param("stats") == "1" && g_game)
        tarn_report_stats(StatsJson(*g_game, I_FrameCount()).c_str());
    I_Shutdown();
    tarn_game_over(exitCode);
    return exitCode;
}
