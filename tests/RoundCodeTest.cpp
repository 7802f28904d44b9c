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

// A round that breaks a rule gives no code (a link would refuse it), and says which rule, as
// the page's share button does; the good round beside it still exports.
TEST(RoundCodeRun, ExportRefusesALooseRound) {
    const std::string dir = test::MakeTempDir();
    RoundSet set;
    set.records.resize(2);
    set.records[0][0] = 1;
    set.records[1][0] = 1;
    set.records[1][RoundRowOffset(3) + 2] = 4;  // touches nothing: it would fall at once
    set.titles = {"kept", "loose"};
    std::ofstream(dir + "/set.txt") << FormatRounds(set);

    const test::RunResult loose = test::RunGame("--export-round " + dir + "/set.txt:2");
    EXPECT_EQ(loose.exitCode, 1);
    EXPECT_EQ(loose.out, "");
    EXPECT_NE(loose.err.find("round 2, row 4, cell 3: hangs loose"), std::string::npos)
        << loose.err;
    const test::RunResult kept = test::RunGame("--export-round " + dir + "/set.txt:1");
    EXPECT_EQ(kept.exitCode, 0) << kept.err;
    EXPECT_EQ(kept.out, EncodeRoundCode(set.records[0]) + "\n");

    // A link plays its round alone, as a first round: a boss round's own rules do not apply.
    std::string code, error;
    EXPECT_TRUE(ShareRoundCode(BuiltInRounds().records[11], 11, &code, &error)) << error;
    EXPECT_FALSE(ShareRoundCode(set.records[1], 6, &code, &error));
    EXPECT_EQ(error,
              "round 7, row 4, cell 3: hangs loose - every bubble must hang from the ceiling");
    std::filesystem::remove_all(dir);
}

}  // namespace
