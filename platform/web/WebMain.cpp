// The page's program: its options come from the page's address instead of a command line
// (?input=URL&frames=N&fast=1&stats=1&shot=K), then the shell runs as on the desktop.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Globals.h"
#include "app/Resources.h"
#include "app/Shell.h"
#include "app/StatsReport.h"
#include "platform/i_system.h"
#include "platform/web/WebBackend.h"

// clang-format off
// The value of one parameter of the page's address; "" when absent. The buffer is the caller's.
EM_JS(void, tarn_url_param, (const char* name, char* out, int size), {
    const value = new URLSearchParams(window.location.search).get(UTF8ToString(name)) || "";
    stringToUTF8(value, out, size);
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

std::string Param(const char* name) {
    char buffer[1024];
    tarn_url_param(name, buffer, sizeof buffer);
    return buffer;
}

}  // namespace

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
    const int exitCode = WinMain(nullptr, nullptr, L"", 1);
    if (Param("stats") == "1" && g_game)
        tarn_report_stats(StatsJson(*g_game, I_FrameCount()).c_str());
    I_Shutdown();
    tarn_game_over(exitCode);
    return exitCode;
}
