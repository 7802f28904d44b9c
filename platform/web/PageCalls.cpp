#include "platform/web/PageCalls.h"

#include <emscripten.h>

#include <cstring>

// clang-format off
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

EM_JS(void, tarn_report_stats, (const char* json), {
    const text = UTF8ToString(json);
    console.log(text);
    const element = document.getElementById("stats");
    if (element) element.textContent = text;
});

EM_JS(void, tarn_keep_replay, (const char* board, double score, const char* text), {
    if (Module.onReplay) Module.onReplay(UTF8ToString(board), score, UTF8ToString(text));
});

EM_JS(void, tarn_caption, (const char* text), {
    if (Module.onCaption) Module.onCaption(UTF8ToString(text));
});

EM_JS(void, tarn_page_notice, (const char* text), {
    if (Module.onNotice) Module.onNotice(UTF8ToString(text));
});

EM_JS(int, tarn_draft_size, (), {
    return Module.tarnDraft ? lengthBytesUTF8(Module.tarnDraft.text) + 1 : 0;
});

EM_JS(int, tarn_draft_take, (char* out, int size), {
    stringToUTF8(Module.tarnDraft.text, out, size);
    return Module.tarnDraft.round | 0;
});

EM_JS(void, tarn_game_over, (int code), {
    if (Module.onGameEnded) Module.onGameEnded(code);
});
// clang-format on

namespace platform::web {

std::string AddressParam(const char* name, bool fragment) {
    char buffer[1024];
    tarn_url_param(name, buffer, sizeof buffer, fragment ? 1 : 0);
    return buffer;
}

bool AddressFlag(const char* name) {
    return tarn_url_flag(name) != 0;
}

bool FetchFile(const std::string& url, const std::string& path) {
    return tarn_fetch_file(url.c_str(), path.c_str()) != 0;
}

void ShowMode(const char* mode) {
    tarn_page_mode(mode);
}

void ShowStats(const std::string& json) {
    tarn_report_stats(json.c_str());
}

void ShowGameEnded(int exitCode) {
    tarn_game_over(exitCode);
}

void KeepReplay(const std::string& board, long score, const std::string& text) {
    tarn_keep_replay(board.c_str(), static_cast<double>(score), text.c_str());
}

void ShowCaption(const std::string& text) {
    tarn_caption(text.c_str());
}

void ShowNotice(const std::string& text) {
    tarn_page_notice(text.c_str());
}

bool TakeEditorDraft(std::string* text, int* round) {
    const int size = tarn_draft_size();
    if (size <= 0) return false;
    text->assign(static_cast<size_t>(size), '\0');
    *round = tarn_draft_take(&(*text)[0], size);
    text->resize(std::strlen(text->c_str()));
    return true;
}

}  // namespace platform::web
