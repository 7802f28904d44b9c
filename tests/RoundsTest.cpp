#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "formats/RoundFormat.h"

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const RoundSet& GameRounds() {
    static const RoundSet rounds = [] {
        RoundSet set;
        const std::string error =
            ParseRounds(ReadText(std::string(TARN_SOURCE_DIR) + "/assets/rounds.txt"), set);
        EXPECT_EQ(error, "");
        return set;
    }();
    return rounds;
}

int Cell(const RoundRecord& r, int row, int col) {
    return r[RoundRowOffset(row) + col];
}

int MaxColours(int index) {
    if (index < 3) return 4;
    const int limits[] = {5, 6, 7, 8};
    return limits[index / 12];
}

void ForEachCell(const std::function<void(int, int)>& fn) {
    for (int row = 0; row < kRoundRows; ++row) {
        for (int col = 0; col < RoundRowLength(row); ++col)
            fn(row, col);
    }
}

TEST(RoundFile, BuiltFileHoldsFortyEightRecordsOfTheSource) {
    std::ifstream in(std::string(TARN_BUILD_DATA_DIR) + "/rounds.dat", std::ios::binary);
    const std::vector<uint8_t> built(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(built.size(), 3984u);
    EXPECT_EQ(built, PackRounds(GameRounds()));
}

TEST(RoundFile, RowsLieWhereTheGameReadsThem) {
    const int offsets[] = {0, 8, 15, 23, 30, 38, 45, 53, 60, 68, 75};
    for (int row = 0; row < kRoundRows; ++row)
        EXPECT_EQ(RoundRowOffset(row), offsets[row]);
    EXPECT_EQ(RoundRowOffset(10) + RoundRowLength(10), kRoundRecordBytes);

    std::string text = "round 1: layout\n1 2 3 4 5 6 7 8\n R . . . . . W\n";
    for (int row = 2; row < kRoundRows; ++row) {
        text += row == 10 ? "g . . . . . . y\n" : row % 2 ? ".......\n" : "........\n";
    }
    RoundSet one;
    ASSERT_NE(ParseRounds(text, one).find("round 2"), std::string::npos);
    RoundSet set;
    std::string full;
    for (int n = 1; n <= kRoundCount; ++n) {
        std::string block = text;
        block.replace(6, 1, std::to_string(n));
        full += block;
    }
    ASSERT_EQ(ParseRounds(full, set), "");
    const RoundRecord& r = set.records[47];
    EXPECT_EQ(std::vector<int>(r.begin(), r.begin() + 8),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(r[8], 1);   // R, first cell of row 1
    EXPECT_EQ(r[14], 8);  // W, last cell of row 1
    EXPECT_EQ(r[75], 4);  // lower-case letters are read too
    EXPECT_EQ(r[82], 3);
    EXPECT_EQ(set.titles[47], "layout");
}

TEST(RoundFile, SourceRoundTripsThroughItsTextForm) {
    const RoundSet& rounds = GameRounds();
    RoundSet again;
    ASSERT_EQ(ParseRounds(FormatRounds(rounds), again), "");
    EXPECT_EQ(again.records, rounds.records);
    EXPECT_EQ(again.titles, rounds.titles);
}

// The game's own source with one line changed: the n-th line (0-based) of round `round`'s block,
// where line 0 is the "round" line and 1..11 are rows 0..10.
std::string WithLine(int round, int line, const std::string& replacement) {
    std::istringstream in(FormatRounds(GameRounds()));
    std::string out, text;
    int block = 0, inBlock = -1;
    while (std::getline(in, text)) {
        if (text.rfind("round ", 0) == 0) inBlock = 0, ++block;
        if (block == round && inBlock == line) {
            if (replacement != "<drop>") out += replacement + "\n";
        } else {
            out += text + "\n";
        }
        if (inBlock >= 0) ++inBlock;
    }
    return out;
}

TEST(RoundFile, RefusesMalformedSourcesNamingRoundAndRow) {
    const std::pair<std::string, std::string> cases[] = {
        {WithLine(5, 4, " R R R R R R R R"), "round 5, row 4"},  // 8 cells in an odd row
        {WithLine(7, 1, "R R R R R R R"), "round 7, row 1"},     // 7 in an even row
        {WithLine(9, 3, "R R R X R R R R"), "round 9, row 3"},   // not a colour
        {WithLine(12, 11, "<drop>"), "round 12, row 11"},        // a row short
        {WithLine(20, 11, ". . . . . . . .\n . . . . . . ."), "round 20, row 12"},  // too many
        {WithLine(30, 6, "R R 9 R R R R R"), "round 30, row 6"},  // codes stop at 8
        {WithLine(48, 0, "round 48:"), "round 48"},               // no title
        {WithLine(3, 0, "round 4: twice"), "round 3"},            // numbering out of step
    };
    for (const auto& [text, expected] : cases) {
        RoundSet rounds;
        const std::string error = ParseRounds(text, rounds);
        EXPECT_NE(error.find(expected), std::string::npos) << "got: " << error;
        EXPECT_TRUE(rounds.records.empty());
    }
}

TEST(RoundFile, RefusesTheWrongNumberOfRounds) {
    const std::string all = FormatRounds(GameRounds());
    RoundSet rounds;
    EXPECT_NE(ParseRounds(all.substr(0, all.rfind("round 48")), rounds).find("round 48"),
              std::string::npos);
    std::string extra = all + all.substr(all.rfind("round 48"));
    extra.replace(extra.rfind("round 48"), 8, "round 49");
    EXPECT_NE(ParseRounds(extra, rounds).find("round 49"), std::string::npos);
    EXPECT_NE(ParseRounds("R R R R R R R R\n", rounds).find("line 1"), std::string::npos);
    EXPECT_NE(ParseRounds("", rounds).find("round 1"), std::string::npos);
}

TEST(RoundDesign, EveryRoundKeepsTheRulesAndItsColours) {
    const RoundSet& rounds = GameRounds();
    ASSERT_EQ(rounds.records.size(), static_cast<size_t>(kRoundCount));
    EXPECT_EQ(CheckRounds(rounds), "");
    std::set<RoundRecord> distinct;
    for (int n = 0; n < kRoundCount; ++n) {
        const RoundRecord& r = rounds.records[n];
        std::set<int> colours;
        ForEachCell([&](int row, int col) {
            if (int code = Cell(r, row, col)) colours.insert(code);
        });
        EXPECT_LE(static_cast<int>(colours.size()), MaxColours(n)) << "round " << n + 1;
        EXPECT_TRUE(distinct.insert(r).second) << "round " << n + 1 << " repeats an earlier one";
    }
}

// A record from rows of text, "." empty and digits colours, rows not given empty.
RoundRecord Layout(const std::vector<std::string>& rows) {
    RoundRecord r{};
    for (size_t row = 0; row < rows.size(); ++row) {
        for (size_t col = 0; col < rows[row].size(); ++col) {
            if (rows[row][col] != '.') r[RoundRowOffset(row) + col] = rows[row][col] - '0';
        }
    }
    return r;
}

TEST(RoundRules, NameTheRuleAndTheCell) {
    const struct {
        std::vector<std::string> rows;
        int index;
        std::string expected;  // "" keeps the rules
    } cases[] = {
        {{"11......"}, 0, ""},
        {{}, 0, "round 1: empty - a round needs at least one bubble"},
        {{"1.......", "1......", "1.......", "1......", "1.......", "1......", "1.......",
          "1......", "1......."},
         2,
         "round 3, row 9, cell 1: too low - the bottom 3 rows must stay empty"},
        {{"1.......", ".......", ".1......"}, 4, "round 5, row 3, cell 2: hangs loose"},
        // Odd rows sit half a cell right: row 2 cell 7 hangs from row 1 cells 7 and 8 only.
        {{".......1", "......1"}, 0, ""},
        {{"1.......", "......1"}, 0, "round 1, row 2, cell 7: hangs loose"},
        {{"11....11"}, 11, ""},
        {{"11.1..11"}, 23, "round 24, row 1, cell 4: in the boss's way"},
        {{"1111..11"}, 10, ""},  // not a boss round
        {{"11....11", "11...11", "11....11", "11...11", "11....11", "11...11", "11....11",
          "11...11"},
         47,
         "round 48: 32 bubbles - a boss round holds at most 30"},
    };
    for (const auto& c : cases) {
        const std::string error = CheckRound(Layout(c.rows), c.index);
        if (c.expected.empty())
            EXPECT_EQ(error, "");
        else
            EXPECT_EQ(error.rfind(c.expected, 0), 0u) << "got: " << error;
    }
    const auto loose = LooseCells(Layout({"1.......", ".......", ".1......", "1......"}));
    EXPECT_FALSE(loose[0]);
    EXPECT_TRUE(loose[RoundRowOffset(2) + 1]);
    EXPECT_TRUE(loose[RoundRowOffset(3) + 0]);
    EXPECT_EQ(std::count(loose.begin(), loose.end(), true), 2);
    // The editor's screen holds 16 letters across, margins kept: every rule's label fits.
    for (RoundRule rule : {RoundRule::kEmpty, RoundRule::kLowRows, RoundRule::kLoose,
                           RoundRule::kBossWay, RoundRule::kBossCrowded})
        EXPECT_LE(std::string(RoundRuleLabel(rule)).size(), 16u) << RoundRuleLabel(rule);
}

TEST(RoundFile, ShortSetsAndKeptText) {
    const std::string all = FormatRounds(GameRounds());
    const std::string two = "# my set\n" + all.substr(0, all.find("round 3:"));
    RoundSet set;
    EXPECT_NE(ParseRounds(two, set).find("round 3: missing"), std::string::npos);
    ASSERT_EQ(ParseRounds(two, set, 1), "");
    ASSERT_EQ(set.records.size(), 2u);
    EXPECT_EQ(set.preamble, "# my set\n");
    EXPECT_EQ(FormatRoundsKeeping(set, set), two);
    // A changed round is written afresh; its neighbour and the comment stay as written.
    RoundSet edited = set;
    edited.records[1][0] = 8;
    const std::string text = FormatRoundsKeeping(edited, set);
    EXPECT_EQ(text.substr(0, text.find("round 2:")), two.substr(0, two.find("round 2:")));
    RoundSet again;
    ASSERT_EQ(ParseRounds(text, again, 1), "");
    EXPECT_EQ(again.records, edited.records);
    EXPECT_NE(ParseRounds("", set, 1).find("round 1: missing"), std::string::npos);
}

TEST(RoundDesign, EpisodesGrowHarder) {
    // Each episode uses more colours than the one before; the first rounds bring in one colour at a
    // time.
    std::vector<int> most(4, 0);
    for (int n = 0; n < kRoundCount; ++n) {
        std::set<int> colours;
        ForEachCell([&](int row, int col) {
            if (int code = Cell(GameRounds().records[n], row, col)) colours.insert(code);
        });
        most[n / 12] = std::max(most[n / 12], static_cast<int>(colours.size()));
        if (n < 3) {
            EXPECT_LE(static_cast<int>(colours.size()), 2 + n) << "round " << n + 1;
        }
    }
    for (int e = 1; e < 4; ++e)
        EXPECT_GT(most[e], most[e - 1]) << "episode " << e + 1;
}

}  // namespace
