// assetgen: makes every picture, sound and data file the game reads.
//   assetgen --out DIR [--assets DIR] [--sheet FILE.png] [--only pictures|sounds|rounds]
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/assetgen/Generators.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: assetgen --out DIR [--assets DIR] [--sheet FILE.png] "
                 "[--only pictures|sounds|rounds]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    assetgen::GenContext ctx;
    ctx.assetsDir = "assets";
    std::string sheet, only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--out" && hasValue) {
            ctx.outDir = argv[++i];
        } else if (arg == "--assets" && hasValue) {
            ctx.assetsDir = argv[++i];
        } else if (arg == "--sheet" && hasValue) {
            sheet = argv[++i];
        } else if (arg == "--only" && hasValue) {
            only = argv[++i];
        } else {
            return Usage();
        }
    }
    if (ctx.outDir.empty()) return Usage();
    if (mkdir(ctx.outDir.c_str(), 0755) != 0 && errno != EEXIST) {
        std::perror(ctx.outDir.c_str());
        return 1;
    }
    bool ok = true;
    if (only.empty() || only == "pictures") ok = assetgen::GeneratePictures(ctx) && ok;
    if (only.empty() || only == "pictures") ok = assetgen::GenerateBossPictures(ctx) && ok;
    if (only.empty() || only == "sounds") ok = assetgen::GenerateSounds(ctx) && ok;
    if (only.empty() || only == "rounds") ok = assetgen::GenerateRounds(ctx) && ok;
    if (ok && !sheet.empty()) ok = assetgen::WriteContactSheet(ctx.outDir, sheet);
    return ok ? 0 : 1;
}
