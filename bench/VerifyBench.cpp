// Verifying the replay of a whole 48-round game, as the hall of fame does for every submission:
// frames recomputed per second by `tarngame --verify`, the program's start included. The replay
// is made once by the autoplayer, which plays from round 1 to the victory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The replay of a won game from round 1, or "" when the autoplayer did not finish one.
std::string WholeGameReplay() {
    static std::string path;
    if (!path.empty()) return path;
    const fs::path dir = fs::temp_directory_path() / "tarn-verify-bench";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string command = std::string(TARN_BINARY) +
                                " --headless --bot --frames 60000 --data-dir " +
                                TARN_BUILD_DATA_DIR + " --save-dir " + dir.string() + " >/dev/null";
    if (std::system(command.c_str()) != 0) return "";
    for (const auto& entry : fs::directory_iterator(dir / "replays")) {
        const std::string text = ReadText(entry.path());
        if (text.find("#board rounds\n") != std::string::npos &&
            text.find(" last=48 ") != std::string::npos)
            path = entry.path().string();
    }
    return path;
}

long FramesOf(const std::string& path) {
    const std::string text = ReadText(path);
    const size_t at = text.rfind("frames=");
    return at == std::string::npos ? 0 : std::atol(text.c_str() + at + 7);
}

void VerifyWholeGame(benchmark::State& state) {
    const std::string path = WholeGameReplay();
    if (path.empty()) {
        state.SkipWithError("the autoplayer did not win a whole game");
        return;
    }
    const long frames = FramesOf(path);
    const std::string command = std::string(TARN_BINARY) + " --verify " + path + " --data-dir " +
                                TARN_BUILD_DATA_DIR + " >/dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the replay did not verify");
            return;
        }
    }
    state.counters["frames"] = static_cast<double>(frames);
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(frames) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(VerifyWholeGame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
