// Every finished game leaves a replay that `--verify` proves on a fresh save folder, whatever
// came before it in the run; edited or damaged replays are refused with their reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "game/ReplayRecorder.h"
#include "game/ReplayStore.h"

namespace {

namespace fs = std::filesystem;

// Presses fire every 12 (or `every`) frames from `from` on: games are played, lost, their names
// confirmed and retried, over and over. The result pages take a confirm only 10 quiet frames
// after the last one, so a faster beat would never leave them.
std::string PressFire(const std::vector<std::string>& prefix, int from, int to, int every = 12) {
    std::string script;
    for (const std::string& line : prefix)
        script += line + "\n";
    for (int f = from; f < to; f += every)
        script += std::to_string(f) + " keydown 193\n" + std::to_string(f + 1) + " keyup 193\n";
    return script;
}

// The options page raises the start round to 12 (the insect's), then a rounds game starts.
const std::vector<std::string> kInsectStart = {
    "0 keydown 40",  "1 keydown 40",  "2 keydown 193", "3 keydown 40",   "4 keydown 40",
    "5 keydown 40",  "6 keydown 39",  "7 keydown 39",  "8 keydown 39",   "9 keydown 39",
    "10 keydown 39", "11 keydown 39", "12 keydown 39", "13 keydown 39",  "14 keydown 39",
    "15 keydown 39", "16 keydown 39", "17 keydown 40", "18 keydown 193", "19 keydown 38",
    "20 keydown 38", "21 keydown 193"};

std::string WriteText(const std::string& dir, const std::string& name, const std::string& text) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Replays(const std::string& saveDir) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(saveDir + "/replays", error))
        paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

// A save folder where every round is open, as a long-time player's is.
std::string OpenSaveDir() {
    const std::string dir = test::MakeTempDir();
    test::WriteBytes(dir + "/com.dat", {47, 0, 0, 0});
    return dir;
}

// Plays the script headless and returns the replays it left.
std::vector<std::string> Play(const std::string& script, const std::string& saveDir,
                              const std::string& extra = "") {
    const std::string input = WriteText(saveDir, "script.input", script);
    const test::RunResult run =
        test::RunGame("--headless --frames 1500 --data-dir " + test::BuildDataDir() +
                      " --save-dir " + saveDir + " --input " + input + " " + extra);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return Replays(saveDir);
}

test::RunResult Verify(const std::string& path) {
    const std::string fresh = test::MakeTempDir();
    const test::RunResult run = test::RunGame("--verify " + path + " --data-dir " +
                                              test::BuildDataDir() + " --save-dir " + fresh);
    EXPECT_TRUE(fs::is_empty(fresh)) << "verifying wrote into the save folder";
    EXPECT_EQ(run.err, "") << "verifying tried to save";
    return run;
}

// The score in a replay's file name, which is the score the game showed at its end.
std::string ScoreInName(const std::string& path) {
    const std::string name = fs::path(path).stem().string();
    return name.substr(name.rfind('_') + 1);
}

void ExpectAllVerify(const std::vector<std::string>& replays, const std::string& board) {
    for (const std::string& path : replays) {
        const test::RunResult run = Verify(path);
        EXPECT_EQ(run.exitCode, 0) << path << "\n" << run.out << run.err;
        EXPECT_EQ(test::StatsField(run.out, "valid"), "true") << run.out;
        EXPECT_EQ(test::StatsField(run.out, "score"), ScoreInName(path)) << run.out;
        EXPECT_NE(run.out.find("\"board\":\"" + board + "\""), std::string::npos) << run.out;
    }
}

// A push game, then (by the game-over page, the title and the options page) rounds games at
// the insect's round: the first a new game, the next ones retries that meet the same boss.
// The push game ends at frame 100 and its table is confirmed at 124; the game-over page
// takes keys from 144.
std::string PushThenInsect() {
    std::vector<std::string> navigation = {
        "144 keydown 40", "145 keyup 40",   "146 keydown 40", "147 keyup 40",    "148 keydown 193",
        "149 keyup 193",  "150 keydown 40", "151 keyup 40",   "152 keydown 193", "153 keyup 193"};
    // The options page's part of kInsectStart, from its fourth line on, shifted to follow.
    for (size_t i = 3; i < kInsectStart.size(); ++i) {
        const std::string& line = kInsectStart[i];
        const size_t space = line.find(' ');
        navigation.push_back(std::to_string(std::stoi(line.substr(0, space)) + 151) +
                             line.substr(space));
    }
    return PressFire({"0 keydown 40", "1 keyup 40"}, 4, 125) + PressFire(navigation, 180, 1500);
}

TEST(ReplayRun, EveryGameOfARunVerifiesOnItsOwn) {
    const std::string dir = OpenSaveDir();
    const std::vector<std::string> replays = Play(PushThenInsect(), dir);
    std::vector<std::string> push, rounds;
    for (const std::string& path : replays)
        (path.find("_push_") != std::string::npos ? push : rounds).push_back(path);
    ASSERT_EQ(push.size(), 1u);
    ASSERT_GE(rounds.size(), 2u);
    ExpectAllVerify(push, "push");
    ExpectAllVerify(rounds, "rounds-from-12");
    // Push games one after another.
    const std::string more = OpenSaveDir();
    const std::vector<std::string> pushReplays =
        Play(PressFire({"0 keydown 40", "1 keyup 40"}, 4, 1500), more);
    ASSERT_GE(pushReplays.size(), 2u);
    ExpectAllVerify(pushReplays, "push");
}

TEST(ReplayRun, CustomSetAndDailyGamesVerify) {
    const std::string set = test::MakeTempDir();
    const std::vector<std::string> setReplays =
        Play(PressFire({}, 2, 1500), set,
             "--rounds " + std::string(TARN_SOURCE_DIR) + "/assets/rounds.txt");
    ASSERT_GE(setReplays.size(), 1u);
    EXPECT_NE(ReadText(setReplays[0]).find("\n#round "), std::string::npos);
    ExpectAllVerify(setReplays, setReplays[0].substr(setReplays[0].find("_set-") + 1, 12));

    const std::string daily = test::MakeTempDir();
    const std::vector<std::string> dailyReplays =
        Play(PressFire({}, 2, 1500), daily, "--daily 2026-12-06");
    ASSERT_GE(dailyReplays.size(), 2u);
    ExpectAllVerify(dailyReplays, "daily-2026-12-06");
    // The daily's scores have a table of their own.
    EXPECT_FALSE(fs::exists(daily + "/data.dat"));
}

// Every line of a replay but the one that starts with `prefix`, which becomes `replacement`.
std::string Replace(const std::string& text, const std::string& prefix, const std::string& line) {
    std::istringstream in(text);
    std::string out, row;
    while (std::getline(in, row))
        out += (row.compare(0, prefix.size(), prefix) == 0 ? line : row) + "\n";
    return out;
}

void ExpectRefused(const std::string& dir, const std::string& text, const std::string& why,
                   const std::string& reasonPart) {
    const test::RunResult run = Verify(WriteText(dir, "edited.replay", text));
    EXPECT_EQ(run.exitCode, 1) << why << "\n" << run.out << run.err;
    EXPECT_EQ(test::StatsField(run.out, "valid"), "false") << why;
    EXPECT_NE(run.out.find("\"reason\":\""), std::string::npos) << why << ": " << run.out;
    EXPECT_NE(run.out.find(reasonPart), std::string::npos) << why << ": " << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << "one JSON line";
}

TEST(ReplayRun, EditedAndDamagedReplaysAreRefusedWithTheirReason) {
    const std::string dir = OpenSaveDir();
    std::vector<std::string> replays = Play(PressFire(kInsectStart, 31, 1500), dir);
    // The game that scored, so a removed shot changes its result.
    replays.erase(std::remove_if(replays.begin(), replays.end(),
                                 [](const std::string& p) { return ScoreInName(p) == "0"; }),
                  replays.end());
    ASSERT_FALSE(replays.empty());
    const std::string text = ReadText(replays[0]);
    const std::string score = ScoreInName(replays[0]);
    const size_t resultAt = text.rfind("#result ");
    const std::string result = text.substr(resultAt, text.find('\n', resultAt) - resultAt);

    const std::string raised = std::to_string(std::stol(score) + 1);
    ExpectRefused(dir,
                  Replace(text, "#result",
                          "#result score=" + raised + result.substr(result.find(" rounds="))),
                  "score raised by one", "not the result");
    // The first shot of the game goes.
    const size_t shot = text.find(" keydown 193\n");
    const size_t lineStart = text.rfind('\n', shot) + 1;
    std::string lessInput = text;
    lessInput.erase(lineStart, text.find('\n', shot) + 1 - lineStart);
    ExpectRefused(dir, lessInput, "a shot removed", "reason");
    // Another start round, its board to match: the game played there ends otherwise.
    ExpectRefused(dir,
                  Replace(Replace(text, "#start", "#start 13"), "#board", "#board rounds-from-13"),
                  "start changed", "reason");
    // A table the score does not enter: no name is asked for, so the game ends elsewhere.
    ExpectRefused(
        dir, Replace(text, "#scores", "#scores 999999 999999 999999 999999 999999 999999 999999"),
        "table changed", "reason");
    ExpectRefused(dir, Replace(text, "#board", "#board rounds"), "board changed", "#board");
    ExpectRefused(dir, Replace(text, "#rules", "#rules 999"), "other rules", "rules version");
    ExpectRefused(dir, Replace(text, "#tarngame-replay", "#tarngame-replay 2"), "other format",
                  "format");
    ExpectRefused(
        dir, Replace(text, "#result", "#result score=" + score + " rounds=0 last=12 frames=432001"),
        "over six hours", "6 hours");
    ExpectRefused(dir, text + std::string(2 * 1024 * 1024, '#'), "over 2 MB", "2 MB");
    // The #name line is not verified: the page may write it after the game.
    const test::RunResult renamed =
        Verify(WriteText(dir, "renamed.replay", Replace(text, "#name", "#name ZZ")));
    EXPECT_EQ(renamed.exitCode, 0) << renamed.out;
    EXPECT_NE(renamed.out.find("\"name\":\"ZZ\""), std::string::npos) << renamed.out;
    // Cut anywhere: refused, never a crash or a hang.
    std::mt19937 random(21);
    for (int i = 0; i < 12; ++i) {
        const size_t cut = random() % (text.size() - 1);
        ExpectRefused(dir, text.substr(0, cut), "cut at " + std::to_string(cut), "reason");
    }
}

TEST(ReplayRun, DailyFieldsDependOnTheDateAlone) {
    auto field = [](const std::string& date, const std::string& before) {
        const std::string dir = test::MakeTempDir();
        const test::RunResult run =
            test::RunGame("--headless --stats --frames 2 --daily " + date + " --data-dir " +
                          test::BuildDataDir() + " --save-dir " + dir + " " + before);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const size_t at = run.out.find("\"field\"");
        return run.out.substr(at, run.out.find("]]", at) - at);
    };
    EXPECT_NE(field("2026-12-06", ""), field("2026-12-07", ""));
    EXPECT_EQ(field("2026-12-06", ""), field("2026-12-06", "--tick-start 5000"));
    const test::RunResult bad = test::RunGame("--headless --daily 2026-02-30");
    EXPECT_EQ(bad.exitCode, 2);
}

TEST(ReplayRun, AReplayThatCannotBeWrittenWarnsOnceAndPlayGoesOn) {
    const std::string dir = test::MakeTempDir();
    WriteText(dir, "replays", "a file where the folder should be");
    const std::string input = WriteText(dir, "script.input", PressFire({}, 2, 1500));
    const test::RunResult run =
        test::RunGame("--headless --frames 1500 --stats --data-dir " + test::BuildDataDir() +
                      " --save-dir " + dir + " --input " + input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("could not keep the replay"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

// The insect's round from the options page, whose keys are never let go; fire every 8 frames
// until and past the loss, where the table takes none of it as a decision; then "MAX" typed
// and Enter. tests/files/replay-insect.replay was recorded from this script.
std::string InsectGameThenMax() {
    return PressFire(kInsectStart, 31, 240, 8) +
           "250 keydown 77\n251 keyup 77\n253 keydown 65\n254 keyup 65\n256 keydown 88\n"
           "257 keyup 88\n262 keydown 13\n263 keyup 13\n";
}

// Keys held before the game do not hold up its name entry, and the replay ends on Enter.
TEST(ReplayRun, ANameTypedAfterMashingIsKeptAndTheReplayVerifies) {
    const std::vector<std::string> replays = Play(InsectGameThenMax(), OpenSaveDir());
    ASSERT_EQ(replays.size(), 1u);
    const std::string text = ReadText(replays[0]);
    EXPECT_NE(text.find("\n#name MAX\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n241 keydown 13\n#result "), std::string::npos) << text;
    ExpectAllVerify(replays, "rounds-from-12");
}

// A replay kept from an earlier build: when an intended change to the rules makes it fail,
// raise kRulesVersion and record it anew (tests/files/replay-insect.replay).
TEST(ReplayRun, AKeptReplayStillVerifies) {
    const test::RunResult run = Verify(std::string(TARN_TEST_FILES) + "/replay-insect.replay");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(test::StatsField(run.out, "score"), "170") << run.out;
    EXPECT_NE(run.out.find("\"name\":\"MAX\""), std::string::npos) << run.out;
}

TEST(ReplayRun, HelpNamesTheReplayOptions) {
    const test::RunResult run = test::RunGame("--help");
    for (const char* option : {"--verify", "--watch", "--daily"})
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
}

TEST(ReplayStoreRules, KeepsTheBestAndTheLastAndRecentDailies) {
    std::vector<std::string> names;
    for (int i = 0; i < 30; ++i) {
        char name[96];
        std::snprintf(name, sizeof name, "2026-12-06_10-00-%02d_001_push_%d.replay", i, i * 10);
        names.push_back(name);
    }
    for (int day = 1; day <= 31; ++day) {
        char name[96];
        std::snprintf(name, sizeof name, "2026-11-%02d_09-00-00_001_daily-2026-11-%02d_5.replay",
                      day > 30 ? 30 : day, day > 30 ? 30 : day);
        if (day <= 30) names.push_back(name);
    }
    names.push_back("2026-09-01_09-00-00_001_daily-2026-09-01_999.replay");
    names.push_back("notes.txt");
    const std::vector<std::string> drop = ReplayStore::FilesToDrop(names);
    // The 30 push games: the last 20 played are also their board's best 20; the 10 first go.
    for (int i = 0; i < 10; ++i)
        EXPECT_NE(std::find(drop.begin(), drop.end(), names[i]), drop.end()) << names[i];
    // 31 daily boards: the oldest one goes, whatever its score.
    EXPECT_NE(
        std::find(drop.begin(), drop.end(), "2026-09-01_09-00-00_001_daily-2026-09-01_999.replay"),
        drop.end());
    EXPECT_EQ(drop.size(), 11u);
}

}  // namespace
