// The autoplayer through the game binary: a recorded bot game replayed without the bot, and
// the golden games that hold the game's determinism in place.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/TestSupport.h"

namespace {

std::string Dirs() {
    return " --data-dir " + test::BuildDataDir() + " --save-dir " + test::MakeTempDir();
}

// The stats line without the frame timings, which differ from run to run.
std::string WithoutTimings(const std::string& json) {
    std::string line = json;
    for (const char* name : {",\"frame_us_p50\":", ",\"frame_us_p99\":"}) {
        const size_t at = line.find(name);
        if (at == std::string::npos) continue;
        const size_t end = line.find_first_of(",}", at + 1);
        line.erase(at, end == std::string::npos ? std::string::npos : end - at);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

// Data and save directories where every round has been cleared before, so the options page
// offers every start round.
std::string DirsWithAllRoundsCleared() {
    const std::string save = test::MakeTempDir();
    test::WriteBytes(save + "/com.dat", {47, 0, 0, 0});
    return " --data-dir " + test::BuildDataDir() + " --save-dir " + save;
}

int Field(const std::string& json, const std::string& name) {
    const std::string value = test::StatsField(json, name);
    EXPECT_FALSE(value.empty()) << name;
    return value.empty() ? -1 : std::stoi(value);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(BotRun, RecordedBotGameReplaysWithoutTheBotToTheSameGame) {
    const std::string dir = test::MakeTempDir();
    const std::string recording = dir + "/bot.input";
    const auto played = test::RunGame("--headless --bot --bot-mode push --frames 2500 --stats" +
                                      Dirs() + " --record " + recording);
    ASSERT_EQ(played.exitCode, 0) << played.err;
    const auto replayed =
        test::RunGame("--headless --frames 2500 --stats" + Dirs() + " --input " + recording);
    ASSERT_EQ(replayed.exitCode, 0) << replayed.err;
    EXPECT_GT(Field(played.out, "shotsFired"), 10);
    EXPECT_EQ(WithoutTimings(played.out), WithoutTimings(replayed.out));
}

TEST(BotRun, StartRoundForTestingAppliesToReplaysToo) {
    const std::string dir = test::MakeTempDir();
    const std::string recording = dir + "/bot.input";
    const std::string common = " --frames 400 --stats --bot-start-round 5";
    const auto played = test::RunGame("--headless --bot" + common + DirsWithAllRoundsCleared() +
                                      " --record " + recording);
    ASSERT_EQ(played.exitCode, 0) << played.err;
    EXPECT_EQ(Field(played.out, "startRound"), 4);
    EXPECT_GE(Field(played.out, "round"), 4);  // the game began at round 5, not 1
    const auto replayed =
        test::RunGame("--headless" + common + DirsWithAllRoundsCleared() + " --input " + recording);
    EXPECT_EQ(WithoutTimings(played.out), WithoutTimings(replayed.out));
    EXPECT_NE(test::RunGame("--headless --bot-start-round 49").exitCode, 0);
    EXPECT_NE(test::RunGame("--headless --bot-mode sideways").exitCode, 0);
}

// The seed is the bot's only source of variety: the hall's benchmark asks it for many games.
TEST(BotRun, AnotherSeedPlaysAnotherGameAndTheDefaultSeedIsTheOldOne) {
    const std::string run = "--headless --bot --bot-mode push --frames 600 --stats" + Dirs();
    const auto plain = test::RunGame(run);
    const auto seeded = test::RunGame(run + " --bot-seed 20261206");
    const auto other = test::RunGame(run + " --bot-seed 7");
    ASSERT_EQ(other.exitCode, 0) << other.err;
    EXPECT_EQ(WithoutTimings(plain.out), WithoutTimings(seeded.out));
    EXPECT_NE(WithoutTimings(plain.out), WithoutTimings(other.out));
    EXPECT_NE(test::RunGame("--headless --bot-seed -1").exitCode, 0);
    EXPECT_NE(test::RunGame("--headless --bot-seed 4294967296").exitCode, 0);
}

// Regenerate with tools/regen-bot-golden.sh when the game's rules change on purpose.
void ExpectGoldenReplay(const std::string& name, int frames) {
    const std::string files = TARN_TEST_FILES;
    const std::string expected = ReadText(files + "/" + name + ".stats");
    ASSERT_FALSE(expected.empty()) << name;
    const auto replayed =
        test::RunGame("--headless --frames " + std::to_string(frames) + " --stats" + Dirs() +
                      " --input " + files + "/" + name + ".input");
    ASSERT_EQ(replayed.exitCode, 0) << replayed.err;
    EXPECT_EQ(WithoutTimings(expected), WithoutTimings(replayed.out))
        << name << " no longer replays to the recorded game";
}

TEST(BotRun, GoldenGamesReplayExactly) {
    ExpectGoldenReplay("bot-golden-rounds", 4000);
    ExpectGoldenReplay("bot-golden-push", 3000);
}

}  // namespace
