#include "tests/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/Globals.h"
#include "game/DataFiles.h"
#include "platform/Text.h"
#include "tools/assetgen/BmpWriter.h"

namespace test {

namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

void UseDisplay565() {
    const GXDisplayProperties display = PortraitDisplay(kfDirect565);
    SetShellEnvironment(&display, nullptr, nullptr);
}
void UseDisplay555() {
    const GXDisplayProperties display = PortraitDisplay(kfDirect555);
    SetShellEnvironment(&display, nullptr, nullptr);
}

void UseDataDir(const std::string& dir) {
    SetShellEnvironment(nullptr, dir.c_str(), nullptr);
}

void UseSaveDir(const std::string& dir) {
    SetShellEnvironment(nullptr, nullptr, dir.c_str());
}

std::string BuildDataDir() {
    return TARN_BUILD_DATA_DIR;
}

std::string MakeTempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tarntest-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) ADD_FAILURE() << "mkdtemp failed";
    return buffer.data();
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    const std::string s = ReadWhole(path);
    return std::vector<uint8_t>(s.begin(), s.end());
}

Frame::Frame(int width, int height)
    : memory_(static_cast<size_t>(width) * height, 0),
      buffer_(reinterpret_cast<uint8_t*>(memory_.data()), width, height, 2, width * 2, 2) {}

uint16_t Frame::Pixel(int x, int y) const {
    return memory_[static_cast<size_t>(y) * buffer_.width + x];
}

void Frame::Fill(uint16_t value) {
    for (uint16_t& p : memory_)
        p = value;
}

RunResult RunGame(const std::string& arguments) {
    const std::string dir = MakeTempDir();
    const std::string outPath = dir + "/out", errPath = dir + "/err";
    const std::string command =
        std::string(TARN_BINARY) + " " + arguments + " >" + outPath + " 2>" + errPath;
    RunResult result;
    const int status = std::system(command.c_str());
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    rmdir(dir.c_str());
    return result;
}

void CompleteDataDir(const std::string& dir) {
    if (!std::filesystem::exists(dir + "/rounds.dat"))
        WriteBytes(dir + "/rounds.dat", std::vector<uint8_t>(48 * 83, 0));
    const uint8_t pixel[3] = {40, 40, 40};
    for (const char* name : {"welcome.bmp", "ball1.bmp"})
        if (!std::filesystem::exists(dir + "/" + name))
            WriteBytes(dir + "/" + name, assetgen::EncodeBmp24(1, 1, pixel));
    // Start-up checks every file the game loads; the others come from the build.
    for (const std::string& name : GameDataFiles())
        if (!std::filesystem::exists(dir + "/" + name))
            std::filesystem::copy_file(BuildDataDir() + "/" + name, dir + "/" + name);
}

std::string MakeDataDir() {
    const std::string dir = MakeTempDir();
    CompleteDataDir(dir);
    return dir;
}

std::string RunScripted(int frames, const std::string& inputPath, const std::string& dataDir,
                        const std::string& saveDir) {
    CompleteDataDir(dataDir);
    const RunResult run =
        RunGame("--headless --frames " + std::to_string(frames) + " --stats --input " + inputPath +
                " --data-dir " + dataDir + " --save-dir " + saveDir);
    EXPECT_EQ(0, run.exitCode) << run.err;
    return run.out;
}

std::string StatsField(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const size_t at = json.find(key);
    if (at == std::string::npos) return "";
    size_t end = at + key.size();
    while (end < json.size() && json[end] != ',' && json[end] != '}')
        ++end;
    return json.substr(at + key.size(), end - at - key.size());
}

}  // namespace test
