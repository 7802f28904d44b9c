#include "app/Program.h"

#include <cstdio>

#include "app/Globals.h"
#include "app/ReplayRun.h"
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
    if (!RoundSetFile::Open(start->path, &start->rounds, error)) return false;
    if (program.draftRounds) {
        start->rounds = *program.draftRounds;
        start->round = program.draftRound;
        start->unsaved = true;
    }
    return true;
}

// The person took over from the demo: the autoplayer stops and the title page waits for them.
void HandBackFromDemo() {
    I_SetFrameInputSource(nullptr);
    if (g_game) g_game->ReturnToTitle();
}

void ForgetStart() {
    g_startRequest = nullptr;
    g_customRounds = nullptr;
    g_editorStart = nullptr;
    g_playAtStart = false;
    g_startRoundForTesting = -1;
    g_startHooks = StartHooks();
}

// How a start treats replays: the day's game and ordinary play keep one for every finished
// game; a replay on the page is watched, or when it cannot be, the page shows the title page
// and says why. False with the reason when the start cannot go on.
bool SettleReplays(const Program& program, Program::Start* start, std::string* error) {
    if (*start == Program::Start::kDaily) return PrepareDaily(program.dailyDate, error);
    if (*start == Program::Start::kWatch) {
        if (PrepareWatch(program.replayText, error)) return true;
        if (!program.editorOrTitle) return false;
        std::fprintf(stderr, "tarngame: the replay: %s\n", error->c_str());
        *start = Program::Start::kTitle;
    }
    KeepReplaysOfPlay();
    return true;
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
    if (!SettleReplays(program, start, error)) return false;
    g_playAtStart = *start == Program::Start::kPlay;
    g_startRoundForTesting = program.startRound;
    return true;
}

void Add(std::string* list, const std::string& request) {
    *list += (list->empty() ? "" : ", ") + request;
}

void AddPlatformRequests(const PlatformOptions& p, std::string* list) {
    if (!p.saveDir.empty()) Add(list, "the save directory " + p.saveDir);
    if (!p.dataDir.empty()) Add(list, "the data directory " + p.dataDir);
    if (!p.inputFile.empty()) Add(list, "the input of " + p.inputFile);
    if (!p.recordFile.empty()) Add(list, "a recording into " + p.recordFile);
    for (const ShotRequest& shot : p.shots)
        Add(list, "a picture into " + shot.path);
    if (p.frames >= 0) Add(list, "a run of " + std::to_string(p.frames) + " frames");
    if (p.scale > 0) Add(list, "a window at scale " + std::to_string(p.scale));
    if (p.fullscreen) Add(list, "a full-screen window");
}

}  // namespace

std::string StartRequests(const Program& program) {
    std::string list;
    if (program.start == Program::Start::kEditor)
        Add(&list, "the round editor on " + program.editFile);
    if (!program.importCode.empty()) Add(&list, "the import of a round code");
    if (program.start == Program::Start::kPlay) Add(&list, "a game at once");
    if (program.start == Program::Start::kDaily)
        Add(&list,
            "the daily game" + (program.dailyDate.empty() ? "" : " of " + program.dailyDate));
    if (!program.roundsFile.empty())
        Add(&list, "the round set " + program.roundsFile);
    else if (program.rounds)
        Add(&list, "a round set of its own");
    if (program.startRound >= 0)
        Add(&list, "a start at round " + std::to_string(program.startRound + 1));
    if (program.bot) Add(&list, "the autoplayer");
    if (program.input) Add(&list, "input of its own");
    if (program.stats) Add(&list, "a report of the game's state");
    AddPlatformRequests(program.platform, &list);
    return list;
}

ProgramResult RunProgram(const Program& program, const char* argv0) {
    ForgetStart();
    // A replay from a file runs the shell on its own terms: no saves, its own rounds.
    if (program.start == Program::Start::kVerify) {
        RegisterResources(AppResources());
        return ProgramResult{VerifyReplay(program.replayFile, program.platform, argv0), "", ""};
    }
    if (program.start == Program::Start::kWatch && !program.replayFile.empty()) {
        RegisterResources(AppResources());
        return ProgramResult{WatchReplay(program.replayFile, program.platform, argv0), "", ""};
    }
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
    static std::string requests;
    requests = StartRequests(program);
    if (!requests.empty()) g_startRequest = requests.c_str();

    std::optional<Autoplayer> bot;
    if (program.bot) {
        bot.emplace(*program.bot, program.startRound, program.botSeed);
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
