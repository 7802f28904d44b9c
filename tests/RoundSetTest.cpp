// A player's round set (--rounds): sets shorter than 48 end in the victory, the options page
// keeps to the set, and its progress and scores stay apart from the built-in ones.
#include <filesystem>
#include <fstream>

#include "game/RoundBook.h"
#include "tests/PlayFixture.h"

namespace {

using test::FakeBoss;
using test::PlayTest;

// n rounds, round k holding k+1 bubbles of one colour along the ceiling's left end, so each
// set differs and every round keeps the rules (boss rounds leave the middle open).
std::vector<RoundRecord> Records(int n) {
    std::vector<RoundRecord> records(n, RoundRecord{});
    for (int k = 0; k < n; ++k) {
        records[k][0] = static_cast<uint8_t>(k % 8 + 1);
        records[k][1] = static_cast<uint8_t>(k / 8 + 1);
    }
    return records;
}

std::string Text(int n, const std::string& comment = "") {
    RoundSet set;
    set.records = Records(n);
    set.titles.assign(n, "mine");
    return comment + FormatRounds(set);
}

// One round with a bubble that nothing holds up.
std::string Loose() {
    RoundSet set;
    set.records = Records(1);
    set.records[0][RoundRowOffset(2)] = 3;
    set.titles = {"loose"};
    return FormatRounds(set);
}

class RoundSetTest : public PlayTest {
  protected:
    void RunClear(int frames) {
        for (int i = 0; i < frames; ++i)
            game->RunClearSequence(frame.Buffer());
    }
    bool SaveFileExists(const char* name) const {
        return std::filesystem::exists(saveDir + "/" + std::string(name + 1));
    }
    test::Frame frame;
};

TEST_F(RoundSetTest, SetsOfOneTwelveAndFortyEightEndInTheVictoryAfterTheirLastRound) {
    for (int n : {1, 12, 48}) {
        RoundBook book;
        std::string error;
        ASSERT_TRUE(RoundBook::Compile(Text(n), &book, &error)) << error;
        ASSERT_EQ(book.Count(), n);
        game->UseRounds(book);
        for (int kind : {kInsectBoss, kWizardBoss}) {
            delete game->bosses[kind];
            game->bosses[kind] = new FakeBoss;
        }
        game->startRound = n - 1;
        game->NewGame();
        EXPECT_EQ(game->field[0][0], (n - 1) % 8 + 1) << n;
        EXPECT_EQ(game->boss != nullptr, n != 1) << n;  // bosses keep to rounds 12 and 48
        game->boss = nullptr;
        game->roundCleared = true;
        game->idleFrames = 0;
        RunClear(n + 20);
        // Past the last round: the victory, never an empty round of its own.
        EXPECT_EQ(game->round, n) << n;
        EXPECT_EQ(game->field[0][0], (n - 1) % 8 + 1) << n;
        game->DrawPlayScreen(frame.Buffer());
        EXPECT_TRUE(game->roundCleared) << n;
        game->OnKeyDown(193);
        EXPECT_EQ(game->state, kStateHiScores) << n;
        game->state = kStatePlay;
        game->running = true;
    }
}

TEST_F(RoundSetTest, OptionsOfferStartRoundsOnlyWithinTheSet) {
    RoundBook book;
    std::string error;
    ASSERT_TRUE(RoundBook::Compile(Text(5), &book, &error)) << error;
    game->startRound = 30;
    game->UseRounds(book);
    EXPECT_EQ(game->startRound, 4);
    game->bestRound = 40;
    for (int i = 0; i < 10; ++i)
        game->RaiseStartRound();
    EXPECT_EQ(game->startRound, 4);
}

TEST_F(RoundSetTest, ProgressAndScoresStayApartPerSet) {
    RoundBook mine, again, other;
    std::string error;
    ASSERT_TRUE(RoundBook::Compile(Text(6), &mine, &error)) << error;
    // Comments and titles do not make another set; a changed cell does.
    ASSERT_TRUE(RoundBook::Compile("# renamed\n" + Text(6), &again, &error)) << error;
    ASSERT_TRUE(RoundBook::Compile(Text(7), &other, &error)) << error;
    EXPECT_STREQ(mine.ProgressFile(), again.ProgressFile());
    EXPECT_STRNE(mine.ProgressFile(), other.ProgressFile());
    EXPECT_STRNE(mine.ProgressFile(), "\\com.dat");
    EXPECT_STRNE(mine.ScoresFile(), "\\data.dat");

    game->UseRounds(mine);
    game->round = 4;
    game->SaveProgress();
    EXPECT_TRUE(SaveFileExists(mine.ProgressFile()));
    EXPECT_FALSE(SaveFileExists("\\com.dat"));
    // Back on the built-in rounds nothing was raised; the custom set remembers its own.
    game->UseRounds(RoundBook::BuiltIn(dataDir.c_str()));
    EXPECT_EQ(game->bestRound, -1);
    game->UseRounds(again);
    EXPECT_EQ(game->bestRound, 4);
    // The editor's trial round keeps nothing at all.
    game->UseRounds(RoundBook::Trial(Records(1)[0], 0));
    game->round = 0;
    game->SaveProgress();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(saveDir), {}), 1);
}

// Through the binary: a malformed set is refused before the game starts, naming the place.
TEST(RoundSetRun, MalformedSetsAreRefusedWithTheBuildsMessage) {
    const std::string dir = test::MakeTempDir();
    std::string good = Text(2);
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {good.substr(0, good.find("round 2")) + "round 2: x\nR R\n",
         "round 2, row 1 (line 15): 2 cells"},
        {"", "round 1: missing"},
        {Loose(), "round 1, row 3, cell 1: hangs loose"},
    };
    for (const auto& c : cases) {
        std::ofstream(dir + "/set.txt") << c.text;
        const test::RunResult run =
            test::RunGame("--headless --frames 1 --rounds " + dir + "/set.txt");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("set.txt"), std::string::npos) << run.err;
    }
    EXPECT_EQ(test::RunGame("--headless --frames 1 --rounds " + dir + "/none.txt").exitCode, 1);
    std::filesystem::remove_all(dir);
}

TEST(RoundSetRun, TheBotPlaysAOneRoundSetToTheVictory) {
    const std::string dir = test::MakeTempDir();
    std::ofstream(dir + "/one.txt") << Text(1);
    const test::RunResult run =
        test::RunGame("--headless --bot --frames 600 --stats --rounds " + dir +
                      "/one.txt --data-dir " + test::BuildDataDir() + " --save-dir " + dir);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::StatsField(run.out, "roundCount"), "1");
    EXPECT_GE(std::stoi(test::StatsField(run.out, "roundsCleared")), 1);
    EXPECT_FALSE(std::filesystem::exists(dir + "/com.dat"));
    std::filesystem::remove_all(dir);
}

}  // namespace
