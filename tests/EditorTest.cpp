// The round editor through the binary, driven by scripted input as a player would drive it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "formats/RoundFormat.h"
#include "pages/EditorScene.h"
#include "platform/Device.h"
#include "tests/PageTestFixture.h"
#include "tests/TestSupport.h"

namespace {

class EditorRun : public ::testing::Test {
  protected:
    void SetUp() override { dir = test::MakeTempDir(); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Runs the editor on set.txt with this script; returns the --stats line.
    std::string Run(const std::string& script, int frames, const std::string& extra = "") {
        std::ofstream(dir + "/input.txt") << script;
        const test::RunResult run =
            test::RunGame("--headless --stats --frames " + std::to_string(frames) + " --input " +
                          dir + "/input.txt --data-dir " + test::BuildDataDir() + " --save-dir " +
                          dir + " --edit " + dir + "/set.txt " + extra);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        err = run.err;
        return run.out;
    }

    std::string SetText() const {
        std::ifstream in(dir + "/set.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string dir;
    std::string err;
};

TEST_F(EditorRun, PaintsByMouseAndKeysAddsARoundAndSavesWhatCompiles) {
    const std::string kept = "# my rounds\nround 1: first\n# a note on round 1\nR R . . . . . .\n" +
                             std::string(" . . . . . . .\n. . . . . . . .\n") +
                             " . . . . . . .\n. . . . . . . .\n . . . . . . .\n. . . . . . . .\n" +
                             " . . . . . . .\n. . . . . . . .\n . . . . . . .\n. . . . . . . .\n";
    std::ofstream(dir + "/set.txt") << kept;
    const std::string script =
        "1 keydown 78\n"  // N: a second round, shown at once
        "2 tap 90 262\n"  // the yellow swatch (3)
        "3 tap 35 25\n"   // row 0, cell 1
        "4 move 57 26\n"  // dragged along the row to cell 4
        "5 move 80 24\n"
        "6 move 101 25\n"
        "7 keydown 40\n"    // the cursor (last painted cell) down to row 1, cell 4
        "8 keydown 52\n"    // 4 paints it green
        "9 keydown 48\n"    // 0 clears it again
        "10 keydown 37\n"   // left to cell 3
        "11 keydown 56\n"   // 8
        "12 keydown 83\n";  // S saves
    const std::string stats = Run(script, 20);
    EXPECT_EQ(test::StatsField(stats, "state"), "5");
    const std::string text = SetText();
    // Round 1 was not touched: its comment and title stay as written.
    EXPECT_EQ(text.substr(0, kept.size()), kept);
    RoundSet saved;
    ASSERT_EQ(ParseRounds(text, saved, 1), "");
    ASSERT_EQ(saved.records.size(), 2u);
    RoundRecord expected{};
    for (int col = 0; col < 4; ++col)
        expected[col] = 3;
    expected[RoundRowOffset(1) + 2] = 8;
    std::vector<uint8_t> bytes(83, 0);
    bytes[0] = bytes[1] = 1;
    bytes.insert(bytes.end(), expected.begin(), expected.end());
    EXPECT_EQ(PackRounds(saved), bytes);
    EXPECT_EQ(saved.titles[1], "New round");
}

TEST_F(EditorRun, SavingARuleBreakSaysWhichRuleAndStillSaves) {
    // A new file: one empty round; a bubble in row 10 (of 11) is saved all the same.
    const std::string script = "1 tap 60 200\n2 keydown 83\n";
    Run(script, 5);
    EXPECT_NE(err.find("row 10, cell "), std::string::npos) << err;
    RoundSet saved;
    ASSERT_EQ(ParseRounds(SetText(), saved, 1), "");
    EXPECT_EQ(saved.records[0][RoundRowOffset(9)], 1);
}

TEST_F(EditorRun, EscapeWithChangesAsksAndASecondEscapeLeavesWithoutSaving) {
    Run("", 3);  // creates the file: one empty round
    const std::string created = SetText();
    EXPECT_NE(created.find("round 1: New round"), std::string::npos);
    // One Escape after a change only asks: the editor is still open at the last frame.
    std::string stats = Run("1 keydown 49\n2 keydown 27\n", 10);
    EXPECT_EQ(test::StatsField(stats, "frames"), "10");
    EXPECT_EQ(test::StatsField(stats, "state"), "5");
    // Leaving goes to the title page, and the program runs on.
    stats = Run("1 keydown 49\n2 keydown 27\n4 keydown 27\n", 40);
    EXPECT_EQ(test::StatsField(stats, "frames"), "40");
    EXPECT_EQ(test::StatsField(stats, "state"), "1");
    EXPECT_EQ(SetText(), created);
    // Without changes one Escape leaves.
    stats = Run("2 keydown 27\n", 40);
    EXPECT_EQ(test::StatsField(stats, "state"), "1");
}

TEST_F(EditorRun, APlayTestOfTheRoundReturnsToTheEditor) {
    // A pair under the straight shot: one launch clears the round.
    const std::string paint =
        "1 keydown 39\n2 keydown 39\n3 keydown 39\n4 keydown 49\n"
        "5 keydown 39\n6 keydown 49\n7 keydown 84\n";
    std::string stats = Run(paint, 9);
    EXPECT_EQ(test::StatsField(stats, "state"), "0");  // playing
    EXPECT_EQ(test::StatsField(stats, "roundCount"), "1");
    stats = Run(paint + "9 keydown 193\n", 120);
    EXPECT_EQ(test::StatsField(stats, "roundsCleared"), "1");
    EXPECT_EQ(test::StatsField(stats, "state"), "5");
    // Tested at its place in the set: round 12 brings its boss.
    std::string twelve;
    for (int i = 1; i <= 11; ++i)
        twelve += std::to_string(i) + " keydown 78\n";
    stats = Run(twelve + "12 keydown 49\n13 keydown 84\n", 15);
    EXPECT_EQ(test::StatsField(stats, "round"), "11");
    EXPECT_EQ(test::StatsField(stats, "boss"), "0");
    // The exit tap leaves the test for the editor too, and nothing was saved.
    stats = Run(paint + "9 tap 210 200\n", 12);
    EXPECT_EQ(test::StatsField(stats, "state"), "5");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);  // set, input
    // Left after a test, the title's new game plays the game's own rounds from the first.
    stats = Run(paint + "9 tap 210 200\n11 keydown 27\n12 keydown 27\n14 keydown 193\n", 18);
    EXPECT_EQ(test::StatsField(stats, "state"), "0");
    EXPECT_EQ(test::StatsField(stats, "round"), "0");
    EXPECT_EQ(test::StatsField(stats, "roundCount"), "");  // the built-in set
}

TEST_F(EditorRun, AMalformedFileIsRefusedBeforeTheEditorOpens) {
    std::ofstream(dir + "/set.txt") << "round 1: bad\nR R Q\n";
    const test::RunResult run = test::RunGame("--headless --frames 2 --edit " + dir + "/set.txt");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("round 1, row 1 (line 2)"), std::string::npos) << run.err;
}

// The editor's own modes, key by key, for someone who has never seen it.
class EditorPage : public PageTest {
  protected:
    EditorScene& Open() {
        EditorStart start;
        start.path = saveDir + "/set.txt";
        start.rounds = RoundSetFile::OneEmptyRound();
        EXPECT_TRUE(game->OpenEditor(start));
        return *static_cast<EditorScene*>(game->editorPage);
    }
    void Type(EditorScene& editor, const std::string& keys) {
        for (char c : keys)
            editor.OnKey(c);
    }
};

TEST_F(EditorPage, HelpClosesOnAnyKeyWhichDoesNothingElseButEscapeStillLeaves) {
    EditorScene& editor = Open();
    editor.OnKey('H');
    EXPECT_TRUE(editor.HelpShown());
    editor.OnKey('N');  // closes the page only: no new round
    EXPECT_FALSE(editor.HelpShown());
    EXPECT_EQ(editor.Count(), 1);
    editor.OnKey('H');
    editor.OnTap(60, 40);  // a tap closes it too, and paints nothing
    EXPECT_FALSE(editor.HelpShown());
    EXPECT_FALSE(editor.HasChanges());
    // With unsaved changes Escape over the help asks, as it does without it.
    editor.OnKey('1');
    editor.OnKey('H');
    editor.OnKey(kTypedEscape);
    EXPECT_TRUE(editor.Asking());
    EXPECT_EQ(game->state, kStateEditor);
    editor.OnKey(kTypedEscape);
    EXPECT_NE(game->state, kStateEditor);
}

TEST_F(EditorPage, HelpOverAnUnchangedRoundEscapesAtOnce) {
    EditorScene& editor = Open();
    editor.OnKey('H');
    editor.OnKey(kTypedEscape);
    EXPECT_NE(game->state, kStateEditor);
}

TEST_F(EditorPage, TheTitleTakesEveryLetterUntilEnterOrEscape) {
    EditorScene& editor = Open();
    EXPECT_EQ(editor.Title(), "New round");
    editor.OnKey('R');
    EXPECT_TRUE(editor.TypingTitle());
    // Command letters are letters here: no trial, save, help or new round.
    Type(editor, "TIDE POOL 2 NSHT");
    editor.OnKey(kTypedBackspace);
    editor.OnKey(kTypedEnter);
    EXPECT_FALSE(editor.TypingTitle());
    EXPECT_EQ(editor.Title(), "TIDE POOL 2 NSH");
    EXPECT_EQ(game->state, kStateEditor);
    EXPECT_EQ(editor.Count(), 1);
    EXPECT_FALSE(editor.HelpShown());
    EXPECT_TRUE(editor.HasChanges());
    EXPECT_FALSE(std::filesystem::exists(saveDir + "/set.txt"));
    // Escape leaves the title, not the editor; spaces around it go, and an empty title gives
    // back the old one (a round's line needs one).
    editor.OnKey('R');
    Type(editor, "  REEDS  ");
    editor.OnKey(kTypedEscape);
    EXPECT_EQ(editor.Title(), "REEDS");
    EXPECT_EQ(game->state, kStateEditor);
    editor.OnKey('R');
    for (int i = 0; i < 8; ++i)
        editor.OnKey(kTypedBackspace);
    editor.OnKey(kKeyLaunch);  // the pad's A ends it as Enter does
    EXPECT_FALSE(editor.TypingTitle());
    EXPECT_EQ(editor.Title(), "REEDS");
    // Long titles stop at 40 letters; a tap ends the typing as Enter does.
    editor.OnKey('R');
    Type(editor, std::string(50, 'W'));
    editor.OnTap(120, 262);
    EXPECT_FALSE(editor.TypingTitle());
    EXPECT_EQ(editor.Title(), std::string(40, 'W'));
}

// Through the binary: a typed title is saved in the set's file.
TEST_F(EditorRun, ATypedTitleIsSaved) {
    Run("1 keydown 82\n2 keydown 77\n3 keydown 89\n4 keydown 32\n5 keydown 84\n"
        "6 keydown 13\n7 keydown 49\n8 keydown 83\n",
        12);
    EXPECT_NE(SetText().find("round 1: MY T\n"), std::string::npos) << SetText();
}

}  // namespace
