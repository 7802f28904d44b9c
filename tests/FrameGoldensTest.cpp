// Frame goldens: short scripted games through the binary, with chosen frames compared against
// hashes kept in tests/goldens/goldens.txt (name, script, frame, hash). One test per script.
// A frame that differs is kept as NAME.actual.png in the output folder; the expected picture is
// found by its hash among the frames earlier runs matched (NAME.expected.png), and
// NAME.diff.png puts expected, actual and their difference side by side.
// TARN_REGEN_GOLDENS=1 (tools/regen-frame-goldens.sh) writes the hashes the frames have now.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Shots.h"
#include "tests/TestSupport.h"

namespace {

namespace fs = std::filesystem;
constexpr int kWidth = 240;
constexpr int kHeight = 320;

const std::string kGoldensDir = std::string(TARN_SOURCE_DIR) + "/tests/goldens";
const std::string kGoldensFile = kGoldensDir + "/goldens.txt";

struct Golden {
    std::string name, script, hash;
    long frame = 0;
};

std::vector<Golden> ReadGoldens() {
    std::vector<Golden> goldens;
    std::ifstream in(kGoldensFile);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Golden g;
        if (line.empty() || line[0] == '#' || !(fields >> g.name >> g.script >> g.frame >> g.hash))
            continue;
        goldens.push_back(g);
    }
    return goldens;
}

bool ReadPng(const std::string& path, std::vector<uint8_t>* rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    rgb->assign(PNG_IMAGE_SIZE(image), 0);
    const bool ok = png_image_finish_read(&image, nullptr, rgb->data(), 0, nullptr) &&
                    image.width == kWidth && image.height == kHeight;
    png_image_free(&image);
    return ok;
}

// FNV-1a over the decoded pixels, so the PNG encoder's choices never matter.
std::string HashPixels(const std::vector<uint8_t>& rgb) {
    uint64_t h = 14695981039346656037ull;
    for (uint8_t b : rgb) {
        h ^= b;
        h *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// Expected | actual | difference (changed pixels red over a dimmed actual frame).
void WriteDiff(const std::string& path, const std::vector<uint8_t>& expected,
               const std::vector<uint8_t>& actual) {
    std::vector<uint8_t> out(static_cast<size_t>(kWidth) * 3 * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const size_t at = (static_cast<size_t>(y) * kWidth + x) * 3;
            uint8_t* row = out.data() + static_cast<size_t>(y) * kWidth * 9;
            std::copy_n(&expected[at], 3, row + x * 3);
            std::copy_n(&actual[at], 3, row + (kWidth + x) * 3);
            const bool same = std::equal(&expected[at], &expected[at] + 3, &actual[at]);
            uint8_t* d = row + (2 * kWidth + x) * 3;
            for (int c = 0; c < 3; ++c)
                d[c] = same ? actual[at + c] / 4 : (c == 0 ? 255 : 0);
        }
    }
    platform::WritePng(path, kWidth * 3, kHeight, out.data());
}

void RewriteHashes(const std::map<std::string, std::string>& fresh) {
    std::ifstream in(kGoldensFile);
    std::ostringstream text;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Golden g;
        if (line[0] != '#' && fields >> g.name >> g.script >> g.frame >> g.hash &&
            fresh.count(g.name))
            line.replace(line.rfind(g.hash), g.hash.size(), fresh.at(g.name));
        text << line << '\n';
    }
    in.close();
    std::ofstream(kGoldensFile) << text.str();
}

// A script's "# zeroed: FILE" lines give it a data directory whose FILE holds as many zero bytes
// as the built one (a zeroed rounds.dat: every round starts empty). Returns the directory to
// use and whether it is a copy.
std::string DataDirFor(const std::string& script, bool* made) {
    std::ifstream in(kGoldensDir + "/" + script);
    std::vector<std::string> zeroed;
    std::string line;
    const std::string tag = "# zeroed: ";
    while (std::getline(in, line))
        if (line.compare(0, tag.size(), tag) == 0) zeroed.push_back(line.substr(tag.size()));
    *made = !zeroed.empty();
    if (zeroed.empty()) return test::BuildDataDir();
    const std::string dir = test::MakeTempDir();
    for (const auto& entry : fs::directory_iterator(test::BuildDataDir())) {
        const std::string name = entry.path().filename().string();
        if (std::find(zeroed.begin(), zeroed.end(), name) == zeroed.end())
            fs::create_symlink(entry.path(), dir + "/" + name);
        else
            test::WriteBytes(dir + "/" + name,
                             std::vector<uint8_t>(fs::file_size(entry.path()), 0));
    }
    return dir;
}

class FrameGoldensTest : public ::testing::Test {
  public:
    FrameGoldensTest(std::string script, std::vector<Golden> goldens)
        : script_(std::move(script)), goldens_(std::move(goldens)) {}

    void TestBody() override {
        const std::string outDir = std::string(TARN_GOLDENS_OUT);
        const std::string cacheDir = outDir + "/matched";
        fs::create_directories(cacheDir);
        // Every round open, so the options page can start any of them.
        const std::string saveDir = test::MakeTempDir();
        test::WriteBytes(saveDir + "/com.dat", {47, 0, 0, 0});
        long frames = 0;
        std::string shots;
        for (const Golden& g : goldens_) {
            frames = std::max(frames, g.frame + 1);
            shots +=
                " --shot " + std::to_string(g.frame) + ":" + outDir + "/" + g.name + ".actual.png";
        }
        bool madeDataDir = false;
        const std::string dataDir = DataDirFor(script_, &madeDataDir);
        const test::RunResult run = test::RunGame(
            "--headless --frames " + std::to_string(frames) + " --input " + kGoldensDir + "/" +
            script_ + " --data-dir " + dataDir + " --save-dir " + saveDir + shots);
        fs::remove_all(saveDir);
        if (madeDataDir) fs::remove_all(dataDir);
        ASSERT_EQ(0, run.exitCode) << run.err;

        std::map<std::string, std::string> fresh;
        for (const Golden& g : goldens_) {
            const std::string actualPath = outDir + "/" + g.name + ".actual.png";
            std::vector<uint8_t> actual;
            ASSERT_TRUE(ReadPng(actualPath, &actual)) << actualPath;
            const std::string hash = HashPixels(actual);
            fresh[g.name] = hash;
            const std::string cached = cacheDir + "/" + hash + ".png";
            std::error_code ignored;  // suites running side by side may keep the same frame
            fs::copy_file(actualPath, cached, fs::copy_options::skip_existing, ignored);
            const std::string base = outDir + "/" + g.name;
            if (hash == g.hash || std::getenv("TARN_REGEN_GOLDENS")) {
                for (const char* kept : {".actual.png", ".expected.png", ".diff.png"})
                    fs::remove(base + kept);
                continue;
            }
            std::string message = g.name + " (" + script_ + ", frame " + std::to_string(g.frame) +
                                  "): hash " + hash + ", expected " + g.hash + "; actual " +
                                  actualPath;
            std::vector<uint8_t> expected;
            if (ReadPng(cacheDir + "/" + g.hash + ".png", &expected)) {
                fs::copy_file(cacheDir + "/" + g.hash + ".png", base + ".expected.png",
                              fs::copy_options::overwrite_existing);
                WriteDiff(base + ".diff.png", expected, actual);
                message += ", expected " + base + ".expected.png, diff " + base + ".diff.png";
            } else {
                message += " (no frame with the expected hash is at hand to compare)";
            }
            ADD_FAILURE() << message
                          << "\nIf the change is intended, run tools/regen-frame-goldens.sh";
        }
        if (std::getenv("TARN_REGEN_GOLDENS")) RewriteHashes(fresh);
    }

  private:
    std::string script_;
    std::vector<Golden> goldens_;
};

// One test per script, named after it, registered before the suites run.
const bool kRegistered = [] {
    std::map<std::string, std::vector<Golden>> byScript;
    for (const Golden& g : ReadGoldens())
        byScript[g.script].push_back(g);
    for (const auto& [script, goldens] : byScript) {
        // A '-' in a name would read as a negative pattern in gtest's filter, and CTest runs
        // each test by filter: such a test would silently run nothing.
        std::string name = fs::path(script).stem().string();
        std::replace(name.begin(), name.end(), '-', '_');
        ::testing::RegisterTest("FrameGoldens", name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                                [script = script, goldens = goldens]() -> ::testing::Test* {
                                    return new FrameGoldensTest(script, goldens);
                                });
    }
    return true;
}();

}  // namespace
