// The desktop program's options (the device program took none).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/i_system.h"

struct CommandLine {
    PlatformOptions platform;
    bool stats = false;
    bool bot = false;
    bool botPush = false;             // --bot-mode push
    int startRound = -1;              // --bot-start-round N, as a round index
    std::optional<uint32_t> botSeed;  // --bot-seed N: the autoplayer's own choices
    std::string roundsFile;           // --rounds: a player's round set
    std::string editFile;             // --edit: the round editor on this set
    std::string exportRound;          // --export-round FILE.txt:N
    std::string importCode;           // --import-round CODE (with --edit)
    std::string verifyFile;           // --verify FILE
    std::string watchFile;            // --watch FILE
    bool daily = false;               // --daily [YYYY-MM-DD]
    std::string dailyDate;            // empty: today (UTC)
    bool showHelp = false;
    bool showVersion = false;
};

// Parses argv; false with a message in *error for an unknown option or a bad value.
bool ParseCommandLine(int argc, char** argv, CommandLine* out, std::string* error);
const char* UsageText();
