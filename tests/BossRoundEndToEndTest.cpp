// The insect round through the game binary: the progress file lets the options page raise the
// start round to 11, rounds mode starts there with the insect, its empty field does not end
// the round while the insect fights, and straight shots fired at it win the round. The
// firing rhythm suits the game's fixed random sequence (rand() is never seeded); a change in
// what draws random numbers may need another rhythm.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/TestSupport.h"

namespace {

class BossRoundEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        dataDir = test::MakeTempDir();  // no rounds.dat: every round starts empty
        saveDir = test::MakeTempDir();
        test::WriteBytes(saveDir + "/com.dat", {10, 0, 0, 0});  // round index 10 cleared
        std::string script =
            "0 keydown 40\n1 keydown 40\n2 keydown 193\n"  // title: options
            "3 keydown 40\n4 keydown 40\n5 keydown 40\n";  // options: the start round
        for (int f = 6; f < 17; ++f)
            script += std::to_string(f) + " keydown 39\n";  // 1 -> 12 shown, index 11
        script +=
            "17 keydown 40\n18 keydown 193\n"                  // back to the title
            "19 keydown 38\n20 keydown 38\n21 keydown 193\n";  // rounds mode
        for (int f = 31; f < 1100; f += 8)
            script += std::to_string(f) + " keydown 193\n" + std::to_string(f + 1) + " keyup 193\n";
        inputPath = dataDir + "/input.txt";
        test::WriteBytes(inputPath, std::vector<uint8_t>(script.begin(), script.end()));
    }
    void TearDown() override {
        std::filesystem::remove_all(dataDir);
        std::filesystem::remove_all(saveDir);
    }
    std::string Run(int frames) { return test::RunScripted(frames, inputPath, dataDir, saveDir); }
    std::string dataDir, saveDir, inputPath;
};

TEST_F(BossRoundEndToEnd, OptionsStartTheInsectRoundAndShotsAtTheInsectWinIt) {
    std::string stats = Run(30);
    EXPECT_EQ("0", test::StatsField(stats, "state"));
    EXPECT_EQ("11", test::StatsField(stats, "startRound"));
    EXPECT_EQ("11", test::StatsField(stats, "round"));
    EXPECT_EQ("0", test::StatsField(stats, "boss")) << "the insect";
    EXPECT_NE(std::string::npos, stats.find("\"field\":[[-1,-1,-1,-1,-1,-1,-1,-1],"));

    stats = Run(1100);
    EXPECT_EQ("-1", test::StatsField(stats, "boss")) << "the insect is beaten";
    EXPECT_GE(std::stoi(test::StatsField(stats, "round")), 12) << "and its round won";
    EXPECT_GE(std::stoi(test::StatsField(stats, "score")), 1000000) << "with the bonus";
    const std::vector<uint8_t> progress = test::ReadBytes(saveDir + "/com.dat");
    ASSERT_EQ(4u, progress.size());
    EXPECT_GE(progress[0], 11);
}

}  // namespace
