#include <cstdio>
#include <fstream>
#include <sstream>

#include "formats/RoundFormat.h"
#include "tools/assetgen/BmpWriter.h"
#include "tools/assetgen/Generators.h"

namespace assetgen {

bool GenerateRounds(const GenContext& ctx) {
    const std::string source = ctx.assetsDir + "/rounds.txt";
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "assetgen: cannot read %s\n", source.c_str());
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    RoundSet rounds;
    std::string error = ParseRounds(text.str(), rounds);
    if (error.empty()) error = CheckRounds(rounds);
    if (!error.empty()) {
        std::fprintf(stderr, "assetgen: %s: %s\n", source.c_str(), error.c_str());
        return false;
    }
    const std::string out = ctx.outDir + "/rounds.dat";
    if (WriteFile(out, PackRounds(rounds))) return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", out.c_str());
    return false;
}

}  // namespace assetgen
