#include "app/CommandLine.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

bool ParseLong(const std::string& text, long low, long high, long* out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high) return false;
    *out = v;
    return true;
}

bool ParseShot(const std::string& text, ShotRequest* shot) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 >= text.size()) return false;
    shot->path = text.substr(colon + 1);
    return ParseLong(text.substr(0, colon), 0, LONG_MAX / 2, &shot->frame);
}

bool ParseLayout(const std::string& text, DisplayLayout* layout) {
    if (text == "portrait565")
        *layout = DisplayLayout::kPortrait565;
    else if (text == "portrait555")
        *layout = DisplayLayout::kPortrait555;
    else if (text == "landscape565")
        *layout = DisplayLayout::kLandscape565;
    else
        return false;
    return true;
}

}  // namespace

const char* UsageText() {
    return "usage: tarngame [options]\n"
           "  --scale N            window scale, 1 to 16 (default: the largest that fits)\n"
           "  --fullscreen         start full screen (F11 or Alt+Enter toggles)\n"
           "  --data-dir DIR       pictures, sounds and rounds.dat\n"
           "  --save-dir DIR       where progress and high scores are kept\n"
           "  --headless           no window and no sound; a virtual clock\n"
           "  --frames N           stop after N frames\n"
           "  --input FILE         play scripted input (FRAME keydown|keyup CODE,\n"
           "                       FRAME tap|move|release X Y); in a window too, to watch\n"
           "  --record FILE        write this run's input in the same form\n"
           "  --shot N:FILE.png    save frame N as a PNG (repeatable)\n"
           "  --stats              print one JSON line of the game's state at exit\n"
           "  --rounds FILE.txt    play your own round set (1 to 48 rounds, written as\n"
           "                       assets/rounds.txt); it keeps its own progress and scores\n"
           "  --edit FILE.txt      the round editor on a set (created when missing)\n"
           "  --export-round FILE.txt:N  print round N of a set as a short code\n"
           "  --import-round CODE  add the round of a code to the set of --edit and edit it\n"
           "  --bot                the autoplayer plays (a demo in a window); its keys are\n"
           "                       recorded by --record like a person's\n"
           "  --bot-mode MODE      rounds (default) or push\n"
           "  --bot-start-round N  for testing: new games start at round N (1..48); the bot\n"
           "                       sets it on the options page (progress permitting), and\n"
           "                       where that page is missing it is set directly, for\n"
           "                       replays too\n"
           "  --bot-seed N         the autoplayer's own choices: another seed, other games\n"
           "  --daily [YYYY-MM-DD] the daily game: a push game whose field, rows and\n"
           "                       launcher colours are the same for everyone that day (UTC;\n"
           "                       default today); its scores are kept per day\n"
           "  --watch FILE         watch a replay (the save folder's replays/ holds one per\n"
           "                       finished game); Escape leaves, F held plays 4x as fast\n"
           "  --verify FILE        replay headless and print one JSON line: valid, score,\n"
           "                       roundsCleared, lastRound, frames, mode, board, name,\n"
           "                       rulesVersion, reason; exit 0 valid, 1 not, 2 error\n"
           "  --display LAYOUT     headless display memory: portrait565, portrait555,\n"
           "                       landscape565\n"
           "  --tick-start MS      headless clock at start-up\n"
           "  --version, --help\n";
}

namespace {

constexpr long kMostScale = 16;

// The options that take a value, and what a player should give them.
struct ValueOption {
    const char* name;
    const char* needs;
};
const ValueOption kValueOptions[] = {
    {"--scale", "a number"},
    {"--data-dir", "a directory"},
    {"--save-dir", "a directory"},
    {"--frames", "a number"},
    {"--input", "a file"},
    {"--record", "a file"},
    {"--shot", "N:FILE.png"},
    {"--rounds", "a file"},
    {"--edit", "a file"},
    {"--export-round", "FILE.txt:N"},
    {"--import-round", "a code"},
    {"--verify", "a replay file"},
    {"--watch", "a replay file"},
    {"--bot-mode", "rounds or push"},
    {"--bot-start-round", "1 to 48"},
    {"--bot-seed", "a number"},
    {"--display", "a layout"},
    {"--tick-start", "a number"},
};

const char* WhatItNeeds(const std::string& arg) {
    for (const ValueOption& option : kValueOptions)
        if (arg == option.name) return option.needs;
    return nullptr;
}

// "--rounds --scale 3": the next option is not the file that --rounds waits for.
bool LooksLikeOption(const std::string& text) {
    return text.rfind("--", 0) == 0 || text == "-h";
}

// One option with its value; false when the value does not do.
bool TakeValue(const std::string& arg, const std::string& value, CommandLine* out) {
    PlatformOptions& p = out->platform;
    long n = 0;
    bool ok = true;
    if (arg == "--scale") {
        ok = ParseLong(value, 1, kMostScale, &n);
        p.scale = static_cast<int>(n);
    } else if (arg == "--data-dir") {
        p.dataDir = value;
    } else if (arg == "--save-dir") {
        p.saveDir = value;
    } else if (arg == "--frames") {
        ok = ParseLong(value, 0, LONG_MAX / 2, &p.frames);
    } else if (arg == "--input") {
        p.inputFile = value;
    } else if (arg == "--record") {
        p.recordFile = value;
    } else if (arg == "--shot") {
        ShotRequest shot;
        ok = ParseShot(value, &shot);
        p.shots.push_back(shot);
    } else if (arg == "--rounds") {
        out->roundsFile = value;
    } else if (arg == "--edit") {
        out->editFile = value;
    } else if (arg == "--export-round") {
        ok = value.rfind(':') != std::string::npos;
        out->exportRound = value;
    } else if (arg == "--import-round") {
        out->importCode = value;
    } else if (arg == "--verify") {
        out->verifyFile = value;
    } else if (arg == "--watch") {
        out->watchFile = value;
    } else if (arg == "--bot-mode") {
        ok = value == "rounds" || value == "push";
        out->botPush = value == "push";
    } else if (arg == "--bot-start-round") {
        ok = ParseLong(value, 1, 48, &n);
        out->startRound = static_cast<int>(n) - 1;
    } else if (arg == "--bot-seed") {
        ok = ParseLong(value, 0, 0xFFFFFFFFL, &n);
        out->botSeed = static_cast<uint32_t>(n);
    } else if (arg == "--display") {
        ok = ParseLayout(value, &p.layout);
    } else if (arg == "--tick-start") {
        ok = ParseLong(value, 0, 0xFFFFFFFFL, &n);
        p.tickStart = static_cast<uint32_t>(n);
    }
    return ok;
}

// An option without a value; false for one we do not know.
bool TakeFlag(const std::string& arg, CommandLine* out) {
    if (arg == "--fullscreen")
        out->platform.fullscreen = true;
    else if (arg == "--headless")
        out->platform.headless = true;
    else if (arg == "--stats")
        out->stats = true;
    else if (arg == "--bot")
        out->bot = true;
    else if (arg == "--help" || arg == "-h")
        out->showHelp = true;
    else if (arg == "--version")
        out->showVersion = true;
    else
        return false;
    return true;
}

std::string BadValue(const std::string& arg, const std::string& value, const char* needs) {
    if (arg == "--scale") return "--scale must be 1 to " + std::to_string(kMostScale);
    return arg + " needs " + needs + ", not \"" + value + "\"";
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, CommandLine* out, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        // The day is optional: a following word that is not an option is taken as it.
        if (arg == "--daily") {
            out->daily = true;
            if (i + 1 < argc && !LooksLikeOption(argv[i + 1])) out->dailyDate = argv[++i];
            continue;
        }
        const char* needs = WhatItNeeds(arg);
        if (!needs) {
            if (TakeFlag(arg, out)) continue;
            *error = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= argc || LooksLikeOption(argv[i + 1])) {
            *error = arg + " needs " + needs;
            return false;
        }
        const std::string value = argv[++i];
        if (value.empty() || !TakeValue(arg, value, out)) {
            *error = BadValue(arg, value, needs);
            return false;
        }
    }
    if (!out->importCode.empty() && out->editFile.empty()) {
        *error = "--import-round needs --edit FILE.txt, the set to add the round to";
        return false;
    }
    return true;
}
