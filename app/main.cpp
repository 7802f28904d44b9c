// The desktop program: reads its options, starts the platform and runs the shell.
#include <cstdio>
#include <cstdlib>

#include "app/CommandLine.h"
#include "app/Globals.h"
#include "app/ReplayRun.h"
#include "app/Resources.h"
#include "app/Shell.h"
#include "app/StatsReport.h"
#include "bot/Autoplayer.h"
#include "game/Game.h"
#include "game/RoundBook.h"
#include "game/RoundCode.h"
#include "pages/EditorScene.h"
#include "platform/FrameInput.h"
#include "platform/i_system.h"

#ifndef TARN_VERSION
#define TARN_VERSION "0.1.0"
#endif

namespace {

// --export-round FILE.txt:N, N counting from 1 as the file does.
int ExportRound(const std::string& request) {
    const size_t colon = request.rfind(':');
    const std::string path = request.substr(0, colon);
    RoundSet rounds;
    std::string error;
    if (!EditorScene::ReadFile(path, &rounds, &error)) {
        std::fprintf(stderr, "tarngame: %s\n", error.c_str());
        return 1;
    }
    char* end = nullptr;
    const long n = std::strtol(request.c_str() + colon + 1, &end, 10);
    if (*end != '\0' || end == request.c_str() + colon + 1 || n < 1 ||
        n > static_cast<long>(rounds.records.size())) {
        std::fprintf(stderr, "tarngame: %s holds rounds 1 to %zu, not \"%s\"\n", path.c_str(),
                     rounds.records.size(), request.c_str() + colon + 1);
        return 1;
    }
    std::printf("%s\n", EncodeRoundCode(rounds.records[n - 1]).c_str());
    return 0;
}

// The person took over from the demo: the autoplayer stops and the title page waits for them.
void HandBackFromDemo() {
    I_SetFrameInputSource(nullptr);
    if (g_game) g_game->ReturnToTitle();
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine options;
    std::string error;
    if (!ParseCommandLine(argc, argv, &options, &error)) {
        std::fprintf(stderr, "tarngame: %s\n%s", error.c_str(), UsageText());
        return 2;
    }
    if (options.showHelp) {
        std::printf("%s", UsageText());
        return 0;
    }
    if (options.showVersion) {
        std::printf("tarngame %s\n", TARN_VERSION);
        return 0;
    }
    if (!options.verifyFile.empty() || !options.watchFile.empty()) {
        RegisterResources(AppResources());
        if (!options.verifyFile.empty())
            return VerifyReplay(options.verifyFile, options.platform, argv[0]);
        return WatchReplay(options.watchFile, options.platform, argv[0]);
    }
    if (options.daily) {
        if (!PrepareDaily(options.dailyDate, &error)) {
            std::fprintf(stderr, "tarngame: %s\n", error.c_str());
            return 2;
        }
    } else {
        KeepReplaysOfPlay();
    }
    // A malformed round set is refused before any window opens.
    RoundBook customRounds;
    if (!options.roundsFile.empty()) {
        if (!RoundBook::Load(options.roundsFile, &customRounds, &error)) {
            std::fprintf(stderr, "tarngame: %s\n", error.c_str());
            return 1;
        }
        g_customRounds = &customRounds;
    }
    if (!options.exportRound.empty()) return ExportRound(options.exportRound);
    EditorStart editorStart;
    if (!options.importCode.empty()) {
        RoundRecord record;
        if (!DecodeRoundCode(options.importCode, &record, &error) ||
            !EditorScene::ImportRound(options.editFile, record, &editorStart, &error)) {
            std::fprintf(stderr, "tarngame: %s\n", error.c_str());
            return 1;
        }
        g_editorStart = &editorStart;
    } else if (!options.editFile.empty()) {
        editorStart.path = options.editFile;
        if (!EditorScene::OpenFile(editorStart.path, &editorStart.rounds, &error)) {
            std::fprintf(stderr, "tarngame: %s\n", error.c_str());
            return 1;
        }
        g_editorStart = &editorStart;
    }
    RegisterResources(AppResources());
    if (!I_Init(options.platform, argv[0], &error)) {
        std::fprintf(stderr, "tarngame: %s\n", error.c_str());
        return 1;
    }
    g_startRoundForTesting = options.startRound;
    Autoplayer bot(options.botPush ? Autoplayer::Mode::kPush : Autoplayer::Mode::kRounds,
                   options.startRound);
    if (options.bot) {
        I_SetFrameInputSource([&bot](long frame, std::vector<InputEvent>* events) {
            if (g_game) bot.EventsFor(*g_game, frame, events);
        });
        if (!options.platform.headless) I_StartDemo(HandBackFromDemo);
    }
    int exitCode = WinMain(nullptr, nullptr, L"", 1);
    if (exitCode == 0 && !I_ShotsWritten()) exitCode = 1;
    I_SetFrameInputSource(nullptr);
    if (options.stats && g_game) std::printf("%s\n", StatsJson(*g_game, I_FrameCount()).c_str());
    if (options.bot && options.stats) std::fprintf(stderr, "%s", bot.Report().c_str());
    I_Shutdown();
    return exitCode;
}
