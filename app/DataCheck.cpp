#include "app/DataCheck.h"

#include <sys/stat.h>

#include <cstdio>

namespace {

constexpr long kRoundFileBytes = 48 * 83;
const char* const kFirstPagePictures[] = {"welcome.bmp", "ball1.bmp"};

// The file's size, or -1 when it cannot be read.
long ReadableSize(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return -1;
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
    std::fclose(f);
    return size;
}

bool StartsWithBitmapMark(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char mark[2] = {};
    const bool ok = std::fread(mark, 1, 2, f) == 2 && mark[0] == 'B' && mark[1] == 'M';
    std::fclose(f);
    return ok;
}

}  // namespace

bool CheckDataDirectory(const std::string& dir, std::string* problem) {
    struct stat info;
    if (stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        *problem = "no data directory at " + dir +
                   " (give one with --data-dir or TARN_DATA_DIR, or reinstall the game)";
        return false;
    }
    const std::string rounds = dir + "/rounds.dat";
    const long size = ReadableSize(rounds);
    if (size < 0) {
        *problem = "rounds.dat is missing from the data directory " + dir;
        return false;
    }
    if (size < kRoundFileBytes) {
        *problem = rounds + " is cut short (" + std::to_string(size) + " bytes of " +
                   std::to_string(kRoundFileBytes) + ")";
        return false;
    }
    for (const char* name : kFirstPagePictures) {
        const std::string path = dir + "/" + name;
        if (ReadableSize(path) < 0) {
            *problem = std::string(name) + " is missing from the data directory " + dir;
            return false;
        }
        if (!StartsWithBitmapMark(path)) {
            *problem = path + " is not a picture";
            return false;
        }
    }
    return true;
}
