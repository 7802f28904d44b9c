// One start of the program, whoever asks for it (the desktop's command line, the page's
// address, a test), and the one function that runs it: the platform, the shell and the report.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/Shell.h"
#include "bot/Autoplayer.h"
#include "game/RoundBook.h"
#include "platform/FrameInput.h"
#include "platform/i_system.h"

struct Program {
    // kDaily: the day's game; kWatch: a replay shown in the window (or on the page); kVerify: a
    // replay recomputed headless, its verdict printed as one JSON line.
    enum class Start { kTitle, kPlay, kEditor, kDaily, kWatch, kVerify };
    Start start = Start::kTitle;
    PlatformOptions platform;  // directories, frames, shots, input, record, back end
    // A player's round set to play instead of the built-in one: a file, read before anything
    // opens, or a set already compiled (the page's round link).
    std::string roundsFile;
    std::optional<RoundBook> rounds;
    std::string editFile;    // kEditor: the set to edit (created when missing)
    std::string importCode;  // kEditor: a round code added to editFile and edited
    // kEditor on the page: unsaved work brought back from the page's draft, edited in place of
    // the file's rounds (and unsaved until the player saves it).
    std::optional<RoundSet> draftRounds;
    int draftRound = 0;
    // The page: an editor set or a replay that cannot be opened leaves the title page instead
    // of failing.
    bool editorOrTitle = false;
    std::string replayFile;  // kWatch, kVerify: the replay's file
    std::string replayText;  // kWatch on the page: the replay itself, fetched by the page
    std::string dailyDate;   // kDaily: YYYY-MM-DD, UTC; "" for today
    int startRound = -1;     // for testing: new games start at this round index
    bool stats = false;      // the result carries the --stats line
    std::optional<Autoplayer::Mode> bot;
    uint32_t botSeed = Autoplayer::kDefaultSeed;  // the autoplayer's own generator
    FrameInputSource input;                       // tests: a frame's events, beside any script
    FrameObserver observer = nullptr;             // tests: after every frame
    // Told what starts once that is settled, before the shell runs (the page shows it).
    std::function<void(Start)> started;
    // Whatever is added here that a start can ask for belongs in StartRequests as well.
};

// What a start asks for beyond a plain start, in a player's words, "" for none. Only a plain
// start may end by bringing a game that already runs to the front; anything else asked for
// would silently not happen, so such a start names it and fails.
std::string StartRequests(const Program& program);

struct ProgramResult {
    int exitCode = 0;
    std::string stats;      // Program::stats: the game's state at exit, one JSON line
    std::string botReport;  // with a bot and stats: how it played
};

// Runs the program once. A failed start prints its reason (prefixed "tarngame: ") and ends
// with 1; so does a run whose --shot picture was not written. kVerify ends with the verifier's
// code (0 valid, 1 not, 2 internal error). The game stays in g_game for
// the caller to inspect until the next run.
ProgramResult RunProgram(const Program& program, const char* argv0);
