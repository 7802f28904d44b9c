#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "gfx/ScoreCounter.h"
#include "pages/GameOverScene.h"
#include "pages/HiScoreScene.h"
#include "tests/PageTestFixture.h"

namespace {

using Table = std::vector<std::pair<std::string, int>>;

const Table kSevenScores = {{"ALPHA", 700}, {"BRAVO", 600}, {"CHAR", 500}, {"DELTA", 400},
                            {"ECHO", 300},  {"FOX", 200},   {"GOLF", 100}};

// The file layout: per entry 7 name bytes (zero-padded) and a little-endian 32-bit score.
std::vector<uint8_t> EncodeTable(Table table) {
    table.resize(HiScoreScene::kEntries, {"", 0});
    std::vector<uint8_t> bytes;
    for (const auto& [name, score] : table) {
        uint8_t record[11] = {};
        std::memcpy(record, name.data(), std::min<size_t>(name.size(), 7));
        for (int i = 0; i < 4; ++i)
            record[7 + i] = static_cast<uint8_t>(static_cast<uint32_t>(score) >> (8 * i));
        bytes.insert(bytes.end(), record, record + 11);
    }
    return bytes;
}

class HiScoreSceneTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        page = game->hiScorePage;
        ASSERT_NE(page, nullptr);
    }
    std::string DataFile() const { return saveDir + "/data.dat"; }
    std::vector<uint8_t> Saved() const { return test::ReadBytes(DataFile()); }
    // Where the play keys leave a game that has just ended.
    void FinishGame(int score) {
        game->score->Set(score);
        game->hiScoreReturnState = 0;
        game->state = kStateHiScores;
        game->gameOverPage->Prepare();
    }
    void DrawFrame() {
        test::Frame frame;
        game->Render(frame.Buffer());
    }
    // A game lost by the fire key, which is still down as the table opens.
    void LoseWithFireHeld(int score) {
        game->NewGame();
        game->state = kStatePlay;
        game->score->Set(score);
        game->losing = true;
        game->OnKeyDown(kConfirmKeys[0]);
        ASSERT_EQ(game->state, kStateHiScores);
        DrawFrame();
    }
    Table Shown() const {
        Table table;
        for (int k = 0; k < HiScoreScene::kEntries; ++k)
            table.emplace_back(page->names[k], page->scores[k]);
        return table;
    }
    HiScoreScene* page = nullptr;
};

TEST_F(HiScoreSceneTest, AnEqualScoreGoesBelowAndTheLastEntryDropsOut) {
    test::WriteBytes(DataFile(), EncodeTable(kSevenScores));
    FinishGame(500);
    DrawFrame();
    EXPECT_EQ(page->editRow, 3);
    const Table expected = {{"ALPHA", 700}, {"BRAVO", 600}, {"CHAR", 500}, {"AAAAA", 500},
                            {"DELTA", 400}, {"ECHO", 300},  {"FOX", 200}};
    EXPECT_EQ(Shown(), expected);
    Confirm();
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(Saved(), EncodeTable(expected));
}

TEST_F(HiScoreSceneTest, ScoresThatDoNotQualifyOnlyShowTheTableAndLeaveTheFileAlone) {
    FinishGame(0);  // 0 is not above the empty table's 0
    Confirm();
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_FALSE(std::filesystem::exists(DataFile()));

    std::vector<uint8_t> bytes = EncodeTable(kSevenScores);
    bytes.push_back(0x5A);  // shows whether the file was rewritten
    test::WriteBytes(DataFile(), bytes);
    FinishGame(100);
    for (int key : {game->keys.vkUp, game->keys.vkDown, game->keys.vkLeft, game->keys.vkRight})
        Key(key);
    EXPECT_EQ(Shown(), kSevenScores);
    Tap(239, 319);
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(Saved(), bytes);
}

TEST_F(HiScoreSceneTest, LettersWrapThroughSpaceAndTheColumnStopsAtBothEnds) {
    FinishGame(50);
    const int up = game->keys.vkUp, down = game->keys.vkDown;
    Key(game->keys.vkLeft);
    EXPECT_EQ(page->editColumn, 0);
    std::string seen;
    for (int key : {down, down, up, up, up}) {
        Key(key);
        seen += page->names[0][0];
    }
    EXPECT_EQ(seen, " Z AB");
    for (int i = 0; i < 6; ++i)
        Key(game->keys.vkRight);
    EXPECT_EQ(page->editColumn, 4);
    Key(down);
    Key(down);
    EXPECT_EQ(SoundsPlayed(), 0);
    Confirm();
    EXPECT_EQ(Saved(), EncodeTable({{"BAAAZ", 50}}));
}

TEST_F(HiScoreSceneTest, ATableWrittenByThePageIsReadBackTheSame) {
    const Table table = {
        {"ZZZZZ", 2147483647}, {"A B C", 1000000},        {" ", 42}, {"", 0}, {"Q", -5},
        {"MAXED", 1},          {"ABCDE", -2147483647 - 1}};
    for (int k = 0; k < HiScoreScene::kEntries; ++k) {
        std::strcpy(page->names[k], table[k].first.c_str());
        page->scores[k] = table[k].second;
    }
    page->SaveTable();
    ASSERT_EQ(Saved().size(), 77u);
    EXPECT_EQ(Saved(), EncodeTable(table));
    RestartGame();
    page = game->hiScorePage;
    page->LoadTable();
    EXPECT_EQ(Shown(), table);
}

TEST_F(HiScoreSceneTest, DamagedFilesGiveNamesOfAtMostFiveLettersTheTableCanShow) {
    std::vector<uint8_t> bytes = EncodeTable(kSevenScores);
    std::memset(bytes.data(), 'X', 7);  // no terminating zero
    const uint8_t odd[7] = {'a', '7', 0xFF, '\n', 'Q', 'R', 'S'};
    std::memcpy(bytes.data() + 11, odd, 7);
    bytes.resize(11 * 2 + 9);  // third name whole, its score cut short
    test::WriteBytes(DataFile(), bytes);
    FinishGame(1);
    DrawFrame();
    Table expected = {{"XXXXX", 700}, {"    Q", 600}, {"AAAAA", 1}, {"CHAR", 0}};
    expected.resize(HiScoreScene::kEntries, {"", 0});
    EXPECT_EQ(Shown(), expected);
}

TEST_F(HiScoreSceneTest, ASaveThatFailsHalfWayKeepsTheOldFile) {
    test::WriteBytes(DataFile(), EncodeTable(kSevenScores));
    struct rlimit old, full;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    full = old;
    full.rlim_cur = 40;  // the disk is full after 40 bytes of the new file
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    FinishGame(999);
    Confirm();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(Saved(), EncodeTable(kSevenScores));
    const auto files = std::distance(std::filesystem::directory_iterator(saveDir), {});
    EXPECT_EQ(files, 1) << "no half-written file is left behind";
}

TEST_F(HiScoreSceneTest, SavesCreateAMissingSaveDirectoryButNeverWriteOverAFile) {
    test::UseSaveDir(saveDir + "/not/yet");
    FinishGame(1234);
    Confirm();
    EXPECT_EQ(test::ReadBytes(saveDir + "/not/yet/data.dat"), EncodeTable({{"AAAAA", 1234}}));

    test::WriteBytes(saveDir + "/file", {1, 2, 3});
    test::UseSaveDir(saveDir + "/file");
    FinishGame(999);
    Confirm();
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(test::ReadBytes(saveDir + "/file"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(HiScoreSceneTest, TwoConfirmsInOneFrameAfterALostGameKeepEveryHighScore) {
    test::WriteBytes(DataFile(), EncodeTable(kSevenScores));
    game->score->Set(650);
    game->state = kStatePlay;
    game->losing = true;
    Confirm();  // leaves the lost game for the table
    Confirm();  // before the table has been drawn even once
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(game->gameOverPage->selection, 1);
    EXPECT_EQ(Saved(), EncodeTable({{"ALPHA", 700},
                                    {"AAAAA", 650},
                                    {"BRAVO", 600},
                                    {"CHAR", 500},
                                    {"DELTA", 400},
                                    {"ECHO", 300},
                                    {"FOX", 200}}));
}

// Typed keys on the name: the first letter clears the untouched default, each letter goes in
// at the cursor (which stops on the last cell), Backspace takes back the last typed letter, a
// Space counts only after a letter, Enter saves. Z, X and C are letters here, not confirms.
TEST_F(HiScoreSceneTest, TypedLettersWriteTheNameAndEnterSavesIt) {
    struct Case {
        std::vector<int> keys;
        const char* name;
    };
    const Case cases[] = {
        {{66, 67, 68, 13}, "BCD  "},
        {{90, 88, 67, 13}, "ZXC  "},
        {{32, 8, 77, 65, 88, 13}, "MAX  "},  // mashed Space and Backspace before a letter
        {{66, 8, 32, 67, 13}, " C   "},
        {{81, 82, 83, 84, 85, 86, 87, 13}, "QRSTW"},
        {{81, 82, 83, 84, 85, 8, 8, 13}, "QRS  "},
        {{38, 39, 66, 13}, "BBAAA"},                   // a letter changed by the arrows stays
        {{66, 40, 39, 67, 195}, "BZC  "},              // arrows and the confirm keys still work
        {{kExitKey, kPauseKey, 27, 78, 13}, "N    "},  // Escape does nothing here
    };
    for (const Case& c : cases) {
        std::filesystem::remove(DataFile());
        FinishGame(900 + static_cast<int>(&c - cases));  // each goes in at the top
        DrawFrame();
        EXPECT_TRUE(I_TypedKeys());
        for (const int key : c.keys) {
            EXPECT_EQ(game->state, kStateHiScores) << c.name;
            Key(key);
        }
        EXPECT_EQ(game->state, kStateGameOver) << c.name;
        EXPECT_FALSE(I_TypedKeys()) << "typing ends with the entry";
        const std::vector<uint8_t> saved = Saved();
        ASSERT_GE(saved.size(), 5u);
        EXPECT_EQ(std::string(saved.begin(), saved.begin() + 5), c.name);
    }
}

// A tap on the name's row moves the cursor to the nearest letter and saves nothing; a tap
// anywhere else saves.
TEST_F(HiScoreSceneTest, ATapOnTheNamePicksALetterAndATapElsewhereSaves) {
    FinishGame(900);
    DrawFrame();
    const struct {
        int x, y, column;
    } taps[] = {{66, 90, 2}, {0, 81, 0}, {239, 110, 4}, {51, 100, 1}};
    for (const auto& t : taps) {
        Tap(t.x, t.y);
        EXPECT_EQ(game->state, kStateHiScores) << t.x << "," << t.y;
        EXPECT_EQ(page->editColumn, t.column) << t.x << "," << t.y;
    }
    Key(80);
    EXPECT_FALSE(std::filesystem::exists(DataFile()));
    Tap(120, 111);  // the next row
    EXPECT_EQ(game->state, kStateGameOver);
    const std::vector<uint8_t> saved = Saved();
    ASSERT_GE(saved.size(), 5u);
    EXPECT_EQ(std::string(saved.begin(), saved.begin() + 5), " P   ");
}

// Only the name entry takes typed codes: the table shown from the game-over page ignores
// letters, Backspace and Enter, and takes Escape and Backspace as its confirm; the game-over
// page ignores them all.
TEST_F(HiScoreSceneTest, PagesWithoutANameIgnoreTypedCodesAndBackOutOnEscape) {
    for (const int back : {kExitKey, kPauseKey}) {
        FinishGame(0);  // does not qualify: only shown
        for (const int key : {66, 67, 88, 90, 8, 13, 32}) {
            Key(key);
            EXPECT_EQ(game->state, kStateHiScores) << key;
            EXPECT_FALSE(I_TypedKeys());
        }
        Key(back);
        EXPECT_EQ(game->state, kStateGameOver) << back;
    }
    for (const int key : {67, 88, 90, 8, 13, kExitKey}) {
        Key(key);
        EXPECT_EQ(game->state, kStateGameOver) << key;
    }
    EXPECT_FALSE(std::filesystem::exists(DataFile()));
}

// Fire mashed as the game ends: nothing counts for 20 frames, and a confirm counts only after
// 10 quiet frames, so the name typed after the mashing is the one saved.
TEST_F(HiScoreSceneTest, MashedFireNeitherSkipsTheTableNorTypesIntoTheName) {
    const int fire = kConfirmKeys[0];
    LoseWithFireHeld(500);
    for (int f = 0; f < 60; ++f) {
        if (f % 2 == 0)
            game->OnKeyUp(fire);
        else
            game->OnKeyDown(fire);
        DrawFrame();
    }
    game->OnKeyUp(fire);
    EXPECT_EQ(game->state, kStateHiScores) << "mashing is not a decision";
    EXPECT_FALSE(std::filesystem::exists(DataFile()));
    for (const int key : {77, 65, 88})
        game->OnKeyDown(key);
    while (game->drawnFrames - game->lastConfirmFrame < kMashFrames)
        DrawFrame();
    game->OnKeyDown(kEnterKey);
    EXPECT_EQ(game->state, kStateHiScores) << "a fire 10 frames before";
    for (int f = 0; f <= kMashFrames; ++f)
        DrawFrame();
    game->OnKeyDown(kEnterKey);
    ASSERT_EQ(game->state, kStateGameOver);
    const std::vector<uint8_t> saved = Saved();
    ASSERT_GE(saved.size(), 5u);
    EXPECT_EQ(std::string(saved.begin(), saved.begin() + 5), "MAX  ");
    game->OnKeyUp(kEnterKey);
    game->OnKeyDown(fire);
    EXPECT_EQ(game->state, kStateGameOver) << "the game-over page's guard";
}

// A key still down from the game types nothing, however long the page has been open.
TEST_F(HiScoreSceneTest, AKeyHeldSinceTheLossTypesNothingUntilLetGo) {
    LoseWithFireHeld(500);
    for (int f = 0; f < 40; ++f)
        DrawFrame();
    for (const int key : {77, kBackspaceKey, int{game->keys.vkUp}})
        game->OnKeyDown(key);
    EXPECT_STREQ(page->names[0], "AAAAA");
    for (const int key : {77, kBackspaceKey, int{game->keys.vkUp}})
        game->OnKeyUp(key);
    game->OnKeyUp(' ');  // the same Space, let go while the name entry takes typed codes
    game->OnKeyDown(77);
    EXPECT_STREQ(page->names[0], "M    ");
}

// Taps are held back for 20 frames on each page, then act at once.
TEST_F(HiScoreSceneTest, MashedTapsShowEachResultPageForTwentyFrames) {
    game->NewGame();
    game->state = kStatePlay;
    game->score->Set(500);
    game->losing = true;
    game->OnKeyDown(kConfirmKeys[0]);
    game->OnKeyUp(kConfirmKeys[0]);
    ASSERT_EQ(game->state, kStateHiScores);
    std::vector<int> states;
    for (int f = 0; f < 60; ++f) {
        if (f % 2 == 0) game->OnTap(120, 130);
        DrawFrame();
        states.push_back(game->state);
    }
    const auto shown = [&](int state) { return std::count(states.begin(), states.end(), state); };
    EXPECT_GE(shown(kStateHiScores), 20);
    EXPECT_GE(shown(kStateGameOver), 20);
    EXPECT_EQ(states.back(), kStatePlay) << "the retry, at last";
    ASSERT_EQ(Saved().size(), 77u);
}

}  // namespace
