#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tools/assetgen/RoundCompiler.h"

namespace {

using assetgen::kRoundCount;
using assetgen::kRoundRows;
using assetgen::RoundRecord;
using assetgen::RoundRowLength;
using assetgen::RoundRowOffset;
using assetgen::RoundSet;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const RoundSet& GameRounds() {
    static const RoundSet rounds = [] {
        RoundSet set;
        const std::string error = assetgen::ParseRounds(
            ReadText(std::string(TARN_SOURCE_DIR) + "/assets/rounds.txt"), set);
        EXPECT_EQ(error, "");
        return set;
    }();
    return rounds;
}

int Cell(const RoundRecord& r, int row, int col) {
    return r[RoundRowOffset(row) + col];
}

// Horizontal centre of a cell in half-cell units, 1..15: odd rows sit half a cell right.
int CentreX(int row, int col) {
    return 2 * col + 1 + row % 2;
}

// Cells touching (row, col) in the offset grid.
std::vector<std::pair<int, int>> Neighbours(int row, int col) {
    std::vector<std::pair<int, int>> out = {{row, col - 1}, {row, col + 1}};
    const int left = row % 2 == 0 ? col - 1 : col;
    for (int r : {row - 1, row + 1}) {
        out.push_back({r, left});
        out.push_back({r, left + 1});
    }
    std::vector<std::pair<int, int>> inside;
    for (auto [r, c] : out) {
        if (r >= 0 && r < kRoundRows && c >= 0 && c < RoundRowLength(r)) inside.push_back({r, c});
    }
    return inside;
}

bool IsBossRound(int index) {
    return index % 12 == 11;
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
    EXPECT_EQ(built, assetgen::PackRounds(GameRounds()));
}

TEST(RoundFile, RowsLieWhereTheGameReadsThem) {
    const int offsets[] = {0, 8, 15, 23, 30, 38, 45, 53, 60, 68, 75};
    for (int row = 0; row < kRoundRows; ++row)
        EXPECT_EQ(RoundRowOffset(row), offsets[row]);
    EXPECT_EQ(RoundRowOffset(10) + RoundRowLength(10), assetgen::kRoundRecordBytes);

    std::string text = "round 1: layout\n1 2 3 4 5 6 7 8\n R . . . . . W\n";
    for (int row = 2; row < kRoundRows; ++row) {
        text += row == 10 ? "g . . . . . . y\n" : row % 2 ? ".......\n" : "........\n";
    }
    RoundSet one;
    ASSERT_NE(assetgen::ParseRounds(text, one).find("round 2"), std::string::npos);
    RoundSet set;
    std::string full;
    for (int n = 1; n <= kRoundCount; ++n) {
        std::string block = text;
        block.replace(6, 1, std::to_string(n));
        full += block;
    }
    ASSERT_EQ(assetgen::ParseRounds(full, set), "");
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
    ASSERT_EQ(assetgen::ParseRounds(assetgen::FormatRounds(rounds), again), "");
    EXPECT_EQ(again.records, rounds.records);
    EXPECT_EQ(again.titles, rounds.titles);
}

// The game's own source with one line changed: the n-th line (0-based) of round `round`'s block,
// where line 0 is the "round" line and 1..11 are rows 0..10.
std::string WithLine(int round, int line, const std::string& replacement) {
    std::istringstream in(assetgen::FormatRounds(GameRounds()));
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
        {WithLine(5, 4, " R R R R R R R R"), "round 5, row 3"},  // 8 cells in an odd row
        {WithLine(7, 1, "R R R R R R R"), "round 7, row 0"},     // 7 in an even row
        {WithLine(9, 3, "R R R X R R R R"), "round 9, row 2"},   // not a colour
        {WithLine(12, 11, "<drop>"), "round 12, row 10"},        // a row short
        {WithLine(20, 11, ". . . . . . . .\n . . . . . . ."), "round 20, row 11"},  // too many
        {WithLine(30, 6, "R R 9 R R R R R"), "round 30, row 5"},  // codes stop at 8
        {WithLine(48, 0, "round 48:"), "round 48"},               // no title
        {WithLine(3, 0, "round 4: twice"), "round 3"},            // numbering out of step
    };
    for (const auto& [text, expected] : cases) {
        RoundSet rounds;
        const std::string error = assetgen::ParseRounds(text, rounds);
        EXPECT_NE(error.find(expected), std::string::npos) << "got: " << error;
        EXPECT_TRUE(rounds.records.empty());
    }
}

TEST(RoundFile, RefusesTheWrongNumberOfRounds) {
    const std::string all = assetgen::FormatRounds(GameRounds());
    RoundSet rounds;
    EXPECT_NE(assetgen::ParseRounds(all.substr(0, all.rfind("round 48")), rounds).find("round 48"),
              std::string::npos);
    std::string extra = all + all.substr(all.rfind("round 48"));
    extra.replace(extra.rfind("round 48"), 8, "round 49");
    EXPECT_NE(assetgen::ParseRounds(extra, rounds).find("round 49"), std::string::npos);
    EXPECT_NE(assetgen::ParseRounds("R R R R R R R R\n", rounds).find("line 1"), std::string::npos);
    EXPECT_NE(assetgen::ParseRounds("", rounds).find("round 1"), std::string::npos);
}

TEST(RoundFile, SurvivesGarbage) {
    std::mt19937 random(4);
    const std::string alphabet =
        "round 12:RBGYPOCW.#\n \t\r\xff"
        "0";
    for (int trial = 0; trial < 300; ++trial) {
        std::string text = assetgen::FormatRounds(GameRounds()).substr(0, random() % 4000);
        for (int i = 0; i < 40; ++i)
            text += alphabet[random() % alphabet.size()];
        RoundSet rounds;
        const std::string error = assetgen::ParseRounds(text, rounds);
        EXPECT_FALSE(error.empty());
    }
}

TEST(RoundDesign, EveryRoundKeepsTheStructureRules) {
    const RoundSet& rounds = GameRounds();
    ASSERT_EQ(rounds.records.size(), static_cast<size_t>(kRoundCount));
    std::set<RoundRecord> distinct;
    for (int n = 0; n < kRoundCount; ++n) {
        const RoundRecord& r = rounds.records[n];
        std::set<int> colours;
        int bubbles = 0;
        ForEachCell([&](int row, int col) {
            const int code = Cell(r, row, col);
            EXPECT_LE(code, 8) << "round " << n + 1;
            if (code == 0) return;
            ++bubbles;
            colours.insert(code);
            EXPECT_LE(row, 7) << "round " << n + 1 << ": rows 8 to 10 stay empty";
        });
        EXPECT_GT(bubbles, 0) << "round " << n + 1;
        EXPECT_LE(static_cast<int>(colours.size()), MaxColours(n)) << "round " << n + 1;
        EXPECT_TRUE(distinct.insert(r).second) << "round " << n + 1 << " repeats an earlier one";
    }
}

TEST(RoundDesign, EveryBubbleHangsFromTheCeiling) {
    // A loose bubble would fall at the first pop and make the opening look broken.
    for (int n = 0; n < kRoundCount; ++n) {
        const RoundRecord& r = GameRounds().records[n];
        std::set<std::pair<int, int>> held;
        std::vector<std::pair<int, int>> todo;
        for (int col = 0; col < 8; ++col) {
            if (Cell(r, 0, col)) todo.push_back({0, col});
        }
        while (!todo.empty()) {
            const auto cell = todo.back();
            todo.pop_back();
            if (!held.insert(cell).second) continue;
            for (auto next : Neighbours(cell.first, cell.second)) {
                if (Cell(r, next.first, next.second)) todo.push_back(next);
            }
        }
        ForEachCell([&](int row, int col) {
            if (Cell(r, row, col)) {
                EXPECT_TRUE(held.count({row, col}))
                    << "round " << n + 1 << " row " << row << " col " << col << " hangs loose";
            }
        });
    }
}

TEST(RoundDesign, BossRoundsLeaveTheMiddleOpen) {
    for (int n = 0; n < kRoundCount; ++n) {
        if (!IsBossRound(n)) continue;
        int bubbles = 0;
        ForEachCell([&](int row, int col) {
            if (!Cell(GameRounds().records[n], row, col)) return;
            ++bubbles;
            const int x = CentreX(row, col);
            EXPECT_TRUE(x <= 4 || x >= 12)
                << "round " << n + 1 << ": row " << row << " col " << col << " blocks the boss";
        });
        EXPECT_LE(bubbles, 30) << "round " << n + 1;
    }
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
