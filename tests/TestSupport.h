// Helpers shared by the suites: the display and directory globals the game reads, frames to
// draw into, temporary directories, and running the game binary headless.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/BackBuffer.h"

namespace test {

void UseDisplay565();
void UseDisplay555();
void UseDataDir(const std::string& dir);
void UseSaveDir(const std::string& dir);
// The data directory the build generated.
std::string BuildDataDir();
// A fresh empty directory under the system's temporary directory.
std::string MakeTempDir();
// Adds what the game needs to start to a data directory, where missing: a rounds.dat of 48
// empty rounds, one-pixel pictures for the title page, and the build's other files.
void CompleteDataDir(const std::string& dir);
// A fresh data directory with just that.
std::string MakeDataDir();
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

// A 240 x 320 16-bit frame in portrait layout with a BackBuffer over it.
class Frame {
  public:
    Frame(int width = 240, int height = 320);
    uint16_t Pixel(int x, int y) const;
    void Fill(uint16_t value);
    BackBuffer& Buffer() { return buffer_; }

  private:
    std::vector<uint16_t> memory_;
    BackBuffer buffer_;
};

struct RunResult {
    int exitCode = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};
// Runs the game binary with these arguments (shell-quoted by the caller where needed).
RunResult RunGame(const std::string& arguments);
// Runs the game headless for `frames` frames on a script and the given directories, expects
// it to end well and returns its --stats line.
std::string RunScripted(int frames, const std::string& inputPath, const std::string& dataDir,
                        const std::string& saveDir);
// The value of a top-level number or boolean field of the --stats JSON line, "" if absent.
std::string StatsField(const std::string& json, const std::string& name);

}  // namespace test
