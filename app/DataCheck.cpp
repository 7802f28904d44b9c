#include "app/DataCheck.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "game/DataFiles.h"

namespace {

constexpr long kRoundFileBytes = 48 * 83;
constexpr size_t kMaxDataFileBytes = 4u << 20;  // far above any picture or sound we make

// The file's size, or -1 when it cannot be read.
long ReadableSize(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return -1;
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
    std::fclose(f);
    return size;
}

bool ReadWhole(const std::string& path, long size, std::vector<uint8_t>* bytes) {
    if (size < 0 || static_cast<size_t>(size) > kMaxDataFileBytes) return false;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bytes->resize(static_cast<size_t>(size));
    bytes->resize(std::fread(bytes->data(), 1, bytes->size(), f));
    std::fclose(f);
    return true;
}

uint32_t Le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint32_t Le16(const uint8_t* p) {
    return p[0] | p[1] << 8;
}

// An uncompressed 8- or 24-bit picture whose palette and rows are all there. The loader
// itself shows what a short file lacks as black, so only this check can tell.
bool WholeBitmap(const std::vector<uint8_t>& b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    const uint32_t offset = Le32(&b[10]), width = Le32(&b[18]), height = Le32(&b[22]);
    const uint32_t bits = Le16(&b[28]), compression = Le32(&b[30]);
    if ((bits != 8 && bits != 24) || compression != 0) return false;
    if (width == 0 || height == 0 || width > 4096 || height > 4096) return false;
    const uint64_t rowBytes = (uint64_t{bits / 8} * width + 3) & ~uint64_t{3};
    return offset >= 54 && offset + rowBytes * height <= b.size();
}

// A PCM wave whose format and data chunks are all there.
bool WholeWave(const std::vector<uint8_t>& b) {
    if (b.size() < 12 || Le32(&b[0]) != 0x46464952u || Le32(&b[8]) != 0x45564157u) return false;
    bool format = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const uint32_t id = Le32(&b[at]), size = Le32(&b[at + 4]);
        if (size > b.size() - at - 8) return false;
        if (id == 0x20746d66u) format = size >= 16 && Le16(&b[at + 8]) == 1;  // "fmt ", PCM
        if (id == 0x61746164u) return format;                                 // "data"
        at += 8 + size + (size & 1);
    }
    return false;
}

bool EndsWith(const std::string& name, const char* end) {
    const std::string tail(end);
    return name.size() >= tail.size() &&
           name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

// The browser's data carries a sound compressed, as the same name with ".ogg", which its sound
// back end plays instead; its pages must all be there to be played, so at least the mark.
std::string CheckCompressedSound(const std::string& dir, const std::string& wave) {
    const std::string ogg = wave.substr(0, wave.size() - 4) + ".ogg";
    const std::string path = dir + "/" + ogg;
    const long size = ReadableSize(path);
    if (size < 0) return wave + " is missing from the data directory " + dir;
    std::vector<uint8_t> bytes;
    if (!ReadWhole(path, size, &bytes) || bytes.size() < 4 || Le32(bytes.data()) != 0x5367674Fu)
        return path + " is not a whole sound (damaged or cut short; reinstall the game)";
    return "";
}

// Empty when the file is whole, else what is wrong with it.
std::string CheckDataFile(const std::string& dir, const std::string& name) {
    const std::string path = dir + "/" + name;
    std::vector<uint8_t> bytes;
    const long size = ReadableSize(path);
    if (size < 0 && EndsWith(name, ".wav")) return CheckCompressedSound(dir, name);
    if (size < 0) return name + " is missing from the data directory " + dir;
    if (!ReadWhole(path, size, &bytes)) return path + " cannot be read";
    const bool picture = EndsWith(name, ".bmp");
    if (picture ? WholeBitmap(bytes) : WholeWave(bytes)) return "";
    return path + (picture ? " is not a whole picture" : " is not a whole sound") +
           " (damaged or cut short; reinstall the game)";
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
    for (const std::string& name : GameDataFiles()) {
        *problem = CheckDataFile(dir, name);
        if (!problem->empty()) return false;
    }
    return true;
}
