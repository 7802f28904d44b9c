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
           "  --scale N            window scale (default: the largest that fits)\n"
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

bool ParseCommandLine(int argc, char** argv, CommandLine* out, std::string* error) {
    PlatformOptions& p = out->platform;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        const std::string value = hasValue ? argv[i + 1] : "";
        long n = 0;
        bool usedValue = true;
        bool ok = true;
        if (arg == "--scale") {
            ok = hasValue && ParseLong(value, 1, 16, &n);
            p.scale = static_cast<int>(n);
        } else if (arg == "--data-dir") {
            ok = hasValue && !value.empty();
            p.dataDir = value;
        } else if (arg == "--save-dir") {
            ok = hasValue && !value.empty();
            p.saveDir = value;
        } else if (arg == "--frames") {
            ok = hasValue && ParseLong(value, 0, LONG_MAX / 2, &p.frames);
        } else if (arg == "--input") {
            ok = hasValue;
            p.inputFile = value;
        } else if (arg == "--record") {
            ok = hasValue;
            p.recordFile = value;
        } else if (arg == "--shot") {
            ShotRequest shot;
            ok = hasValue && ParseShot(value, &shot);
            p.shots.push_back(shot);
        } else if (arg == "--rounds") {
            ok = hasValue && !value.empty();
            out->roundsFile = value;
        } else if (arg == "--edit") {
            ok = hasValue && !value.empty();
            out->editFile = value;
        } else if (arg == "--export-round") {
            ok = hasValue && value.rfind(':') != std::string::npos;
            out->exportRound = value;
        } else if (arg == "--import-round") {
            ok = hasValue && !value.empty();
            out->importCode = value;
        } else if (arg == "--bot-mode") {
            ok = hasValue && (value == "rounds" || value == "push");
            out->botPush = value == "push";
        } else if (arg == "--bot-start-round") {
            ok = hasValue && ParseLong(value, 1, 48, &n);
            out->startRound = static_cast<int>(n) - 1;
        } else if (arg == "--bot-seed") {
            ok = hasValue && ParseLong(value, 0, 0xFFFFFFFFL, &n);
            out->botSeed = static_cast<uint32_t>(n);
        } else if (arg == "--verify") {
            ok = hasValue && !value.empty();
            out->verifyFile = value;
        } else if (arg == "--watch") {
            ok = hasValue && !value.empty();
            out->watchFile = value;
        } else if (arg == "--daily") {
            // The day is optional: a following word that is not an option is taken as it.
            out->daily = true;
            usedValue = hasValue && value.compare(0, 2, "--") != 0;
            if (usedValue) out->dailyDate = value;
        } else if (arg == "--display") {
            ok = hasValue && ParseLayout(value, &p.layout);
        } else if (arg == "--tick-start") {
            ok = hasValue && ParseLong(value, 0, 0xFFFFFFFFL, &n);
            p.tickStart = static_cast<uint32_t>(n);
        } else {
            usedValue = false;
            if (arg == "--fullscreen")
                p.fullscreen = true;
            else if (arg == "--headless")
                p.headless = true;
            else if (arg == "--stats")
                out->stats = true;
            else if (arg == "--bot")
                out->bot = true;
            else if (arg == "--help" || arg == "-h")
                out->showHelp = true;
            else if (arg == "--version")
                out->showVersion = true;
            else {
                *error = "unknown option " + arg;
                return false;
            }
        }
        if (!ok) {
            *error = "bad or missing value for " + arg;
            return false;
        }
        if (usedValue) ++i;
    }
    if (!out->importCode.empty() && out->editFile.empty()) {
        *error = "--import-round needs --edit FILE.txt, the set to add the round to";
        return false;
    }
    return true;
}
