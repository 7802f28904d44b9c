// Round codes: every built-in round survives the trip, and a mistyped or cut code is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "formats/RoundCode.h"
#include "tests/TestSupport.h"

namespace {

const RoundSet& BuiltInRounds() {
    static const RoundSet rounds = [] {
        std::ifstream in(std::string(TARN_SOURCE_DIR) + "/assets/rounds.txt");
        std::stringstream text;
        text << in.rdbuf();
        RoundSet set;
        EXPECT_EQ(ParseRounds(text.str(), set), "");
        return set;
    }();
    return rounds;
}

TEST(RoundCode, EveryBuiltInRoundRoundTrips) {
    ASSERT_EQ(BuiltInRounds().records.size(), 48u);
    for (const RoundRecord& record : BuiltInRounds().records) {
        const std::string code = EncodeRoundCode(record);
        ASSERT_EQ(code.size(), static_cast<size_t>(kRoundCodeLength));
        EXPECT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                         "0123456789-_"),
                  std::string::npos);
        RoundRecord back{};
        std::string error;
        ASSERT_TRUE(DecodeRoundCode(code, &back, &error)) << error;
        EXPECT_EQ(back, record);
    }
}

TEST(RoundCode, RefusesCodesThatAreCutMistypedOrNotRounds) {
    const std::string good = EncodeRoundCode(BuiltInRounds().records[20]);
    std::string mistyped = good;
    mistyped[10] = mistyped[10] == 'A' ? 'B' : 'A';
    std::string swapped = good;
    std::swap(swapped[3], swapped[4]);
    std::string badCheck = good;
    badCheck.back() = badCheck.back() == 'A' ? 'B' : 'A';
    RoundRecord notBubbles{};
    notBubbles[5] = 9;  // encodes, with a matching check, but no bubble has that colour
    const struct {
        std::string code;
        std::string expected;
    } cases[] = {
        {good.substr(0, 56), "57 characters, this one 56"},
        {good + "A", "this one 58"},
        {"", "this one 0"},
        {badCheck, "check character"},
        {mistyped, "check character"},
        {swapped.substr(3, 2) == good.substr(3, 2) ? badCheck : swapped, "check character"},
        {good.substr(0, 20) + "=" + good.substr(21), "'=' is not a character"},
        {EncodeRoundCode(notBubbles), "cell 6 of the code is not a bubble"},
    };
    for (const auto& c : cases) {
        RoundRecord record{};
        record[0] = 7;
        std::string error;
        EXPECT_FALSE(DecodeRoundCode(c.code, &record, &error)) << c.code;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_EQ(record[0], 7);  // untouched
    }
}

// Through the binary: a round exported from one file is imported into a new one.
TEST(RoundCodeRun, ExportThenImportGivesTheSameRound) {
    const std::string dir = test::MakeTempDir();
    const std::string source = std::string(TARN_SOURCE_DIR) + "/assets/rounds.txt";
    const test::RunResult exported = test::RunGame("--export-round " + source + ":17");
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string code = exported.out.substr(0, exported.out.find('\n'));
    EXPECT_EQ(code, EncodeRoundCode(BuiltInRounds().records[16]));
    for (int i = 0; i < 2; ++i) {  // creates the file, then adds to it
        const test::RunResult imported =
            test::RunGame("--headless --frames 2 --stats --import-round " + code + " --edit " +
                          dir + "/mine.txt");
        ASSERT_EQ(imported.exitCode, 0) << imported.err;
        EXPECT_EQ(test::StatsField(imported.out, "state"), "5");
    }
    std::ifstream in(dir + "/mine.txt");
    std::stringstream text;
    text << in.rdbuf();
    RoundSet mine;
    ASSERT_EQ(ParseRounds(text.str(), mine, 1), "");
    ASSERT_EQ(mine.records.size(), 2u);
    EXPECT_EQ(mine.records[1], BuiltInRounds().records[16]);
    EXPECT_EQ(mine.titles[1], "Imported round");

    EXPECT_NE(test::RunGame("--headless --frames 2 --import-round " + code.substr(1) + " --edit " +
                            dir + "/mine.txt")
                  .exitCode,
              0);
    EXPECT_NE(test::RunGame("--export-round " + source + ":49").exitCode, 0);
    EXPECT_NE(test::RunGame("--import-round " + code).exitCode, 0);  // no --edit
    std::filesystem::remove_all(dir);
}

}  // namespace
