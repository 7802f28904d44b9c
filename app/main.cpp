// The desktop program: reads its options, starts the platform and runs the shell.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/Globals.h"
#include "app/Resources.h"
#include "app/Shell.h"
#include "app/StatsReport.h"
#include "bot/Autoplayer.h"
#include "game/Game.h"
#include "platform/FrameInput.h"
#include "platform/i_system.h"

#ifndef TARN_VERSION
#define TARN_VERSION "0.1.0"
#endif

namespace {

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
