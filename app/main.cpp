// The desktop program: turns its command line into a start and runs it.
#include <cstdio>
#include <cstdlib>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "app/ReplayRun.h"
#include "formats/ReplayHeader.h"
#include "formats/RoundCode.h"
#include "game/RoundBook.h"
#include "game/RoundSetFile.h"

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
    if (!RoundSetFile::Read(path, &rounds, &error)) {
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
    // A code that --rounds and a link would refuse is no use to anyone: the page's share
    // button holds back the same rounds.
    std::string code;
    if (!ShareRoundCode(rounds.records[n - 1], static_cast<int>(n - 1), &code, &error)) {
        std::fprintf(stderr, "tarngame: %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    std::printf("%s\n", code.c_str());
    return 0;
}

Program ProgramOf(const CommandLine& options) {
    Program program;
    program.platform = options.platform;
    program.roundsFile = options.roundsFile;
    if (!options.editFile.empty()) program.start = Program::Start::kEditor;
    if (options.daily) program.start = Program::Start::kDaily;
    program.dailyDate = options.dailyDate;
    if (!options.watchFile.empty()) program.start = Program::Start::kWatch;
    if (!options.verifyFile.empty()) program.start = Program::Start::kVerify;
    program.replayFile = options.verifyFile.empty() ? options.watchFile : options.verifyFile;
    program.editFile = options.editFile;
    program.importCode = options.importCode;
    program.startRound = options.startRound;
    program.stats = options.stats;
    if (options.botSeed) program.botSeed = *options.botSeed;
    if (options.bot)
        program.bot = options.botPush ? Autoplayer::Mode::kPush : Autoplayer::Mode::kRounds;
    return program;
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
    if (!options.exportRound.empty()) {
        // A malformed --rounds set is refused first, as for any other start.
        RoundBook rounds;
        if (!options.roundsFile.empty() && !RoundBook::Load(options.roundsFile, &rounds, &error)) {
            std::fprintf(stderr, "tarngame: %s\n", error.c_str());
            return 1;
        }
        return ExportRound(options.exportRound);
    }
    // A day that does not exist is a mistake on the command line, as a malformed option is.
    if (options.daily && !options.dailyDate.empty() && !IsValidReplayDate(options.dailyDate)) {
        std::fprintf(stderr, "tarngame: --daily takes a day as YYYY-MM-DD, not \"%s\"\n",
                     options.dailyDate.c_str());
        return 2;
    }
    const ProgramResult result = RunProgram(ProgramOf(options), argv[0]);
    if (!result.stats.empty()) std::printf("%s\n", result.stats.c_str());
    std::fprintf(stderr, "%s", result.botReport.c_str());
    return result.exitCode;
}
