// The game binary run headless, as a player's scripts and CI run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/TestSupport.h"

namespace {

std::string Dirs() {
    return " --data-dir " + test::BuildDataDir() + " --save-dir " + test::MakeTempDir();
}

std::string WriteScript(const std::string& text) {
    const std::string path = test::MakeTempDir() + "/input.txt";
    std::ofstream(path) << text;
    return path;
}

TEST(HeadlessRun, PrintsOneStatsLineOnTheTitlePage) {
    const auto run = test::RunGame("--headless --frames 3 --stats" + Dirs());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::StatsField(run.out, "frames"), "3");
    EXPECT_EQ(test::StatsField(run.out, "state"), "1");
    EXPECT_EQ(test::StatsField(run.out, "deadlineRow"), "11");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
}

TEST(HeadlessRun, ShotsAreTakenOnlyOfDrawnFrames) {
    const std::string dir = test::MakeTempDir();
    const auto none = test::RunGame("--headless --frames 0 --shot 0:" + dir + "/a.png" + Dirs());
    ASSERT_EQ(none.exitCode, 0) << none.err;
    EXPECT_TRUE(test::ReadBytes(dir + "/a.png").empty());
    const auto one = test::RunGame("--headless --frames 1 --shot 0:" + dir + "/b.png" + Dirs());
    ASSERT_EQ(one.exitCode, 0) << one.err;
    EXPECT_FALSE(test::ReadBytes(dir + "/b.png").empty());
}

TEST(HeadlessRun, LandscapeAnd555DisplaysShowTheSamePicture) {
    const std::string dir = test::MakeTempDir();
    const std::string common = "--headless --frames 2" + Dirs();
    ASSERT_EQ(test::RunGame(common + " --shot 1:" + dir + "/p.png").exitCode, 0);
    ASSERT_EQ(test::RunGame(common + " --display landscape565 --shot 1:" + dir + "/l.png").exitCode,
              0);
    EXPECT_EQ(test::ReadBytes(dir + "/p.png"), test::ReadBytes(dir + "/l.png"));
    ASSERT_EQ(test::RunGame(common + " --display portrait555 --shot 1:" + dir + "/f.png").exitCode,
              0);
    EXPECT_FALSE(test::ReadBytes(dir + "/f.png").empty());
}

TEST(HeadlessRun, MalformedInputIsRefusedBeforeRunning) {
    const std::string bad = WriteScript("0 keydown 193\n# fine\n3 kedown 40\n");
    const auto run = test::RunGame("--headless --frames 5 --stats --input " + bad + Dirs());
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("line 3"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
}

TEST(HeadlessRun, BadOptionsAreRefused) {
    EXPECT_EQ(test::RunGame("--headless --frames -3").exitCode, 2);
    EXPECT_EQ(test::RunGame("--bogus").exitCode, 2);
    EXPECT_EQ(test::RunGame("--shot nonsense").exitCode, 2);
    // Each with the line a player typed: the message says what the option wanted.
    const struct {
        std::string arguments, expected;
    } cases[] = {
        {"--rounds --scale 3", "tarngame: --rounds needs a file\n"},
        {"--headless --edit", "tarngame: --edit needs a file\n"},
        {"--save-dir -h", "tarngame: --save-dir needs a directory\n"},
        {"--scale 99", "tarngame: --scale must be 1 to 16\n"},
        {"--scale 0", "tarngame: --scale must be 1 to 16\n"},
        {"--frames ten", "tarngame: --frames needs a number, not \"ten\"\n"},
        {"--bot-mode fast", "tarngame: --bot-mode needs rounds or push, not \"fast\"\n"},
        {"--scale 2 --fullscreen --frobnicate", "tarngame: unknown option --frobnicate\n"},
    };
    for (const auto& c : cases) {
        const auto run = test::RunGame(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), c.expected) << c.arguments;
    }
    const auto help = test::RunGame("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--headless"), std::string::npos);
}

// Without its data the game says which file is missing and where it looked, and fails: it
// never runs a game in which every round counts as won.
TEST(HeadlessRun, MissingGameDataIsAnErrorNamingTheFile) {
    const std::string dir = test::MakeTempDir();
    struct Case {
        std::string dataDir;
        std::string mention;
    };
    for (const char* sub : {"/short", "/nopicture", "/empty"})
        std::filesystem::create_directory(dir + sub);
    const std::string rounds = dir + "/short/rounds.dat";
    test::WriteBytes(rounds, std::vector<uint8_t>(47 * 83, 0));
    test::WriteBytes(dir + "/nopicture/rounds.dat", std::vector<uint8_t>(48 * 83, 0));
    const Case cases[] = {
        {dir + "/none", "no data directory at " + dir + "/none"},
        {dir + "/empty", "rounds.dat is missing from the data directory " + dir + "/empty"},
        {dir + "/short", rounds + " is cut short"},
        {dir + "/nopicture", ".bmp is missing from the data directory " + dir + "/nopicture"},
    };
    for (const Case& c : cases) {
        const auto run = test::RunGame("--headless --frames 3 --stats --data-dir " + c.dataDir +
                                       " --save-dir " + dir + "/save");
        EXPECT_EQ(run.exitCode, 1) << c.dataDir;
        EXPECT_NE(run.err.find(c.mention), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << "no game ran";
    }
}

// A damaged picture or sound is refused by name before any window opens, not shown as black
// or played as silence.
TEST(HeadlessRun, DamagedPicturesAndSoundsAreRefusedByName) {
    const std::string dir = test::MakeTempDir() + "/data";
    std::filesystem::copy(test::BuildDataDir(), dir);
    for (const std::string name : {"welcome.bmp", "board.bmp", "ball0.bmp", "bounce.wav"}) {
        const std::string path = dir + "/" + name;
        const std::vector<uint8_t> whole = test::ReadBytes(path);
        for (const bool missing : {false, true}) {
            if (missing)
                std::filesystem::remove(path);
            else
                std::filesystem::resize_file(path, whole.size() - 100);
            const auto run = test::RunGame("--headless --frames 3 --stats --data-dir " + dir +
                                           " --save-dir " + dir + "/save");
            EXPECT_EQ(run.exitCode, 1) << name;
            const std::string expected =
                missing ? name + " is missing from the data directory " + dir : path + " is not";
            EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
            EXPECT_EQ(run.out, "") << "no game ran";
        }
        test::WriteBytes(path, whole);
    }
}

// Failures are reported as failures: an unwritable shot, an input that is not a file; a save
// that fails warns once per file and play goes on.
TEST(HeadlessRun, FailuresAreReportedHonestly) {
    const std::string dir = test::MakeTempDir();
    const auto shot =
        test::RunGame("--headless --frames 3 --shot 1:" + dir + "/no/such/a.png" + Dirs());
    EXPECT_EQ(shot.exitCode, 1);
    EXPECT_NE(shot.err.find(dir + "/no/such/a.png"), std::string::npos);
    const auto input = test::RunGame("--headless --frames 3 --input " + dir + Dirs());
    EXPECT_NE(input.exitCode, 0);
    EXPECT_NE(input.err.find("not a file"), std::string::npos);
    test::WriteBytes(dir + "/blocked", {1});  // a file where the save directory should be
    const auto saves =
        test::RunGame("--headless --bot --frames 3000 --stats --data-dir " + test::BuildDataDir() +
                      " --save-dir " + dir + "/blocked/saves");
    EXPECT_EQ(saves.exitCode, 0);
    EXPECT_GT(std::stoi(test::StatsField(saves.out, "roundsCleared")), 1);
    EXPECT_NE(saves.err.find("round 1: cleared yes"), std::string::npos) << "the bot's report";
    const std::string warning = "cannot save " + dir + "/blocked/saves/com.dat";
    const size_t first = saves.err.find(warning);
    EXPECT_NE(first, std::string::npos) << saves.err;
    EXPECT_EQ(saves.err.find(warning, first + 1), std::string::npos) << "once";
}

TEST(HeadlessRun, StatsReportTheKeptVolumes) {
    const std::string save = test::MakeTempDir();
    const std::string text = "tarngame-settings 1\neffects 12\nmusic 0\n";
    test::WriteBytes(save + "/settings.txt", std::vector<uint8_t>(text.begin(), text.end()));
    const auto run = test::RunGame("--headless --frames 2 --stats --data-dir " +
                                   test::BuildDataDir() + " --save-dir " + save);
    EXPECT_EQ(test::StatsField(run.out, "effectsVolume"), "12");
    EXPECT_EQ(test::StatsField(run.out, "musicVolume"), "0");
}

}  // namespace
