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

// Typed keys on the name: letters and Space write and move right (stopping at the last
// letter), Backspace moves left, Enter saves. Z, X and C are letters here, not confirms.
TEST_F(HiScoreSceneTest, TypedLettersWriteTheNameAndEnterSavesIt) {
    struct Case {
        std::vector<int> keys;
        const char* name;
    };
    const Case cases[] = {
        {{66, 67, 68, 13}, "BCDAA"},      {{90, 88, 67, 13}, "ZXCAA"},
        {{66, 8, 32, 67, 13}, " CAAA"},   {{8, 81, 82, 83, 84, 85, 86, 87, 13}, "QRSTW"},
        {{66, 40, 39, 67, 195}, "B CAA"},  // arrows and the confirm keys still work
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

// Only the name entry takes typed codes: the table shown from the game-over page, and the
// game-over page itself, ignore letters, Backspace and Enter, and the exit key.
TEST_F(HiScoreSceneTest, PagesWithoutANameIgnoreTypedCodesAndTheExitKey) {
    FinishGame(0);  // does not qualify: only shown
    for (const int key : {66, 67, 88, 90, 8, 13, 32, kExitKey}) {
        Key(key);
        EXPECT_EQ(game->state, kStateHiScores) << key;
        EXPECT_FALSE(I_TypedKeys());
    }
    game->state = kStateGameOver;
    for (const int key : {67, 88, 90, 8, 13, kExitKey}) {
        Key(key);
        EXPECT_EQ(game->state, kStateGameOver) << key;
    }
    EXPECT_FALSE(std::filesystem::exists(DataFile()));
}

// A player still mashing fire as the game ends sees the table and then the game-over page for
// 20 frames each before a press takes effect; taps are held back the same way.
TEST_F(HiScoreSceneTest, MashedFireShowsEachResultPageForTwentyFrames) {
    for (const bool taps : {false, true}) {
        game->NewGame();
        game->state = kStatePlay;
        game->score->Set(500);
        game->losing = true;
        game->OnKeyDown(kConfirmKeys[0]);  // the loss: on to the table
        ASSERT_EQ(game->state, kStateHiScores) << taps;
        std::vector<int> states;
        for (int f = 0; f < 60; ++f) {
            if (f % 2 == 0) {
                if (taps)
                    game->OnTap(120, 130);
                else
                    game->OnKeyDown(kConfirmKeys[0]);
            }
            DrawFrame();
            states.push_back(game->state);
        }
        const auto shown = [&](int state) {
            return std::count(states.begin(), states.end(), state);
        };
        EXPECT_GE(shown(kStateHiScores), 20) << taps;
        EXPECT_GE(shown(kStateGameOver), 20) << taps;
        EXPECT_EQ(states.back(), kStatePlay) << "the retry, at last";
        EXPECT_EQ(game->state, kStatePlay);
        ASSERT_EQ(Saved().size(), 77u);
    }
}

}  // namespace
