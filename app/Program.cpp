#include "app/Program.h"

#include <cstdio>

#include "app/Globals.h"
#include "app/Resources.h"
#include "app/StatsReport.h"
#include "formats/RoundCode.h"
#include "game/Game.h"
#include "game/RoundSetFile.h"

namespace {

ProgramResult Failed(const std::string& error) {
    std::fprintf(stderr, "tarngame: %s\n", error.c_str());
    return ProgramResult{1, "", ""};
}

// After the platform starts, which loads the saves (the page keeps its set among them).
bool PrepareEditor(const Program& program, EditorStart* start, std::string* error) {
    if (!program.importCode.empty()) {
        RoundRecord record;
        return DecodeRoundCode(program.importCode, &record, error) &&
               RoundSetFile::Import(program.editFile, record, start, error);
    }
    start->path = program.editFile;
    return RoundSetFile::Open(start->path, &start->rounds, error);
}

// The person took over from the demo: the autoplayer stops and the title page waits for them.
void HandBackFromDemo() {
    I_SetFrameInputSource(nullptr);
    if (g_game) g_game->ReturnToTitle();
}

void ForgetStart() {
    g_customRounds = nullptr;
    g_editorStart = nullptr;
    g_playAtStart = false;
    g_startRoundForTesting = -1;
}

// A player's set instead of the built-in one, if asked for; false when its file is malformed.
bool ChooseRounds(const Program& program, std::string* error) {
    static RoundBook rounds;
    if (!program.roundsFile.empty()) {
        if (!RoundBook::Load(program.roundsFile, &rounds, error)) return false;
        g_customRounds = &rounds;
    } else if (program.rounds) {
        rounds = *program.rounds;
        g_customRounds = &rounds;
    }
    return true;
}

// What starts: an editor set that cannot be opened fails the run, or on the page leaves the
// title page. False when the run fails.
bool SettleStart(const Program& program, Program::Start* start, std::string* error) {
    static EditorStart editor;
    editor = EditorStart();
    *start = program.start;
    if (*start == Program::Start::kEditor) {
        if (PrepareEditor(program, &editor, error)) {
            g_editorStart = &editor;
        } else if (program.editorOrTitle) {
            std::fprintf(stderr, "tarngame: %s\n", error->c_str());
            *start = Program::Start::kTitle;
        } else {
            return false;
        }
    }
    g_playAtStart = *start == Program::Start::kPlay;
    g_startRoundForTesting = program.startRound;
    return true;
}

}  // namespace

ProgramResult RunProgram(const Program& program, const char* argv0) {
    ForgetStart();
    std::string error;
    // A malformed round set is refused before any window opens.
    if (!ChooseRounds(program, &error)) return Failed(error);
    RegisterResources(AppResources());
    if (!I_Init(program.platform, argv0, &error)) return Failed(error);
    Program::Start start;
    if (!SettleStart(program, &start, &error)) {
        I_Shutdown();
        return Failed(error);
    }
    if (program.started) program.started(start);

    std::optional<Autoplayer> bot;
    if (program.bot) {
        bot.emplace(*program.bot, program.startRound);
        I_SetFrameInputSource([&bot](long frame, std::vector<InputEvent>* events) {
            if (g_game) bot->EventsFor(*g_game, frame, events);
        });
        if (!program.platform.headless) I_StartDemo(HandBackFromDemo);
    } else if (program.input) {
        I_SetFrameInputSource(program.input);
    }
    SetFrameObserver(program.observer);
    ProgramResult result;
    result.exitCode = WinMain(nullptr, nullptr, L"", 1);
    if (result.exitCode == 0 && !I_ShotsWritten()) result.exitCode = 1;
    SetFrameObserver(nullptr);
    I_SetFrameInputSource(nullptr);
    if (program.stats && g_game) result.stats = StatsJson(*g_game, I_FrameCount());
    if (bot && program.stats) result.botReport = bot->Report();
    I_Shutdown();
    return result;
}
