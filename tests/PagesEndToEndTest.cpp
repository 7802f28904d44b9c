#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/TestSupport.h"

namespace {

// A whole game through the binary: the title starts rounds mode, one shot clears the first
// round, the full second round is lost on the next shot, the player enters a name, and the
// game-over page retries the round. The round file's second round has three colours with no
// two neighbours alike, so no shot can pop anything there.
class PagesEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        dataDir = test::MakeTempDir();
        saveRoot = test::MakeTempDir();
        saveDir = saveRoot + "/not/made/yet";
        std::filesystem::copy_file(std::string(TARN_TEST_FILES) + "/clear-then-lose.rounds",
                                   dataDir + "/rounds.dat");
        std::filesystem::resize_file(dataDir + "/rounds.dat", 48 * 83);  // the rest empty
        const std::string script =
            "0 keydown 193\n"  // title: rounds mode
            "0 keyup 193\n"
            "1 keydown 193\n"  // the pair above the launcher: round cleared, 10090
            "1 keyup 193\n"
            "60 keydown 193\n"  // round 2: the shot sticks in the deadline row
            "61 keyup 193\n"
            "130 keydown 38\n"  // name: A -> B
            "131 keydown 39\n"
            "132 keydown 40\n"  // A -> space
            "133 keydown 39\n"
            "134 keydown 40\n"
            "135 keydown 40\n"  // A -> space -> Z
            "136 keyup 40\n"
            "160 keydown 193\n"  // saved; on to the game-over page, cursor on retry
            "161 keyup 193\n"
            "185 keydown 193\n";
        inputPath = dataDir + "/input.txt";
        test::WriteBytes(inputPath, std::vector<uint8_t>(script.begin(), script.end()));
    }
    void TearDown() override {
        std::filesystem::remove_all(dataDir);
        std::filesystem::remove_all(saveRoot);
    }
    std::string Run(int frames) { return test::RunScripted(frames, inputPath, dataDir, saveDir); }
    std::string dataDir, saveRoot, saveDir, inputPath;
};

TEST_F(PagesEndToEnd, ALostGameEntersItsScoreUnderTheNewNameAndRetriesTheRound) {
    std::string stats = Run(120);
    EXPECT_EQ("4", test::StatsField(stats, "state")) << "the lose sequence opened the table";
    EXPECT_FALSE(std::filesystem::exists(saveDir + "/data.dat"));

    stats = Run(200);
    std::vector<uint8_t> expected(77, 0);
    const uint8_t first[11] = {'B', ' ', 'Z', 'A', 'A', 0, 0, 0x6A, 0x27, 0, 0};  // 10090
    std::copy(first, first + 11, expected.begin());
    EXPECT_EQ(test::ReadBytes(saveDir + "/data.dat"), expected);
    EXPECT_EQ("0", test::StatsField(stats, "state"));
    EXPECT_EQ("1", test::StatsField(stats, "round")) << "the retry keeps the lost round";
    EXPECT_EQ("0", test::StatsField(stats, "score"));
    EXPECT_EQ("true", test::StatsField(stats, "running"));
}

// The same game with other input after the loss. Frames 0-60 as above: the round is cleared
// and round 2's first shot loses it.
std::string LoseThen(const std::string& after) {
    return "0 keydown 193\n0 keyup 193\n1 keydown 193\n1 keyup 193\n60 keydown 193\n"
           "61 keyup 193\n" +
           after;
}

std::string NameSaved(const std::string& saveDir) {
    const std::vector<uint8_t> bytes = test::ReadBytes(saveDir + "/data.dat");
    return bytes.size() < 5 ? "(none)" : std::string(bytes.begin(), bytes.begin() + 5);
}

// Fire mashed every 2 frames from the loss for 3 seconds neither skips the table nor types
// into the name: the name typed after it, and Enter, save that name.
TEST_F(PagesEndToEnd, FireMashedFromTheLossThenATypedNameSavesThatName) {
    std::string script;
    for (int frame = 62; frame < 170; frame += 2)  // on past the table's first 20 frames
        script +=
            std::to_string(frame) + " keydown 193\n" + std::to_string(frame + 1) + " keyup 193\n";
    script += "175 keydown 77\n176 keydown 65\n177 keydown 88\n180 keydown 13\n";
    script = LoseThen(script);
    test::WriteBytes(inputPath, std::vector<uint8_t>(script.begin(), script.end()));
    const std::string stats = Run(190);
    EXPECT_EQ("3", test::StatsField(stats, "state")) << "on to the game-over page";
    EXPECT_EQ(NameSaved(saveDir), "MAX  ");
}

// A tap on the name's third letter moves the cursor there and saves nothing; the letter typed
// next goes there, and Z typed just before Enter is a letter, not a mashed launch.
TEST_F(PagesEndToEnd, ATapOnTheThirdLetterMovesTheCursorAndSavesNothing) {
    const std::string tap = LoseThen("130 tap 69 95\n130 release 69 95\n");
    test::WriteBytes(inputPath, std::vector<uint8_t>(tap.begin(), tap.end()));
    std::string stats = Run(140);
    EXPECT_EQ("4", test::StatsField(stats, "state"));
    EXPECT_FALSE(std::filesystem::exists(saveDir + "/data.dat"));
    const std::string typed = LoseThen(
        "130 tap 69 95\n130 release 69 95\n131 keydown 90\n131 keyup 90\n"
        "132 keydown 13\n");
    test::WriteBytes(inputPath, std::vector<uint8_t>(typed.begin(), typed.end()));
    stats = Run(140);
    EXPECT_EQ("3", test::StatsField(stats, "state"));
    EXPECT_EQ(NameSaved(saveDir), "  Z  ");
}

}  // namespace
