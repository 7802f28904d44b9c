#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

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

std::vector<uint8_t> EncodeTable(const Table& table) {
    std::vector<uint8_t> bytes;
    for (const auto& [name, score] : table) {
        uint8_t record[11] = {};
        std::memcpy(record, name.data(), std::min<size_t>(name.size(), 7));
        const uint32_t v = static_cast<uint32_t>(score);
        for (int i = 0; i < 4; ++i)
            record[7 + i] = static_cast<uint8_t>(v >> (8 * i));
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
    void WriteTable(const Table& table) { test::WriteBytes(DataFile(), EncodeTable(table)); }

    // Where the play keys leave a game that has just been lost.
    void FinishGame(int score) {
        game->score->Set(score);
        game->ClearRunning();
        game->hiScoreReturnState = 0;
        game->state = kStateHiScores;
        game->gameOverPage->Prepare();
    }
    void Look(int from) {
        game->hiScoreReturnState = from;
        game->state = kStateHiScores;
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
    WriteTable(kSevenScores);
    FinishGame(500);
    DrawFrame();
    EXPECT_EQ(page->editRow, 3);
    EXPECT_EQ(page->editColumn, 0);
    const Table expected = {{"ALPHA", 700}, {"BRAVO", 600}, {"CHAR", 500}, {"AAAAA", 500},
                            {"DELTA", 400}, {"ECHO", 300},  {"FOX", 200}};
    EXPECT_EQ(Shown(), expected);
    Confirm();
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(test::ReadBytes(DataFile()), EncodeTable(expected));
}

TEST_F(HiScoreSceneTest, AScoreAboveOnlyTheLastTakesThePlaceOfTheLast) {
    WriteTable(kSevenScores);
    FinishGame(101);
    Confirm();
    Table expected = kSevenScores;
    expected.back() = {"AAAAA", 101};
    EXPECT_EQ(test::ReadBytes(DataFile()), EncodeTable(expected));
}

TEST_F(HiScoreSceneTest, ScoresThatDoNotQualifyLeaveTheFileAlone) {
    // Empty table and a score of 0: 0 is not above 0.
    FinishGame(0);
    DrawFrame();
    EXPECT_EQ(page->editRow, -1);
    Confirm();
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_FALSE(std::filesystem::exists(DataFile()));

    // A score below all seven: a trailing byte shows the file was not rewritten.
    std::vector<uint8_t> bytes = EncodeTable(kSevenScores);
    bytes.push_back(0x5A);
    test::WriteBytes(DataFile(), bytes);
    FinishGame(100);
    Confirm();
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(test::ReadBytes(DataFile()), bytes);
    EXPECT_EQ(game->hiScoreReturnState, kStateGameOver);
}

TEST_F(HiScoreSceneTest, LettersWrapThroughSpaceAndTheColumnStopsAtBothEnds) {
    FinishGame(50);
    Key(Left());
    EXPECT_EQ(page->editColumn, 0);
    Key(Up());
    EXPECT_EQ(page->names[0][0], 'B');
    Key(Down());
    Key(Down());
    EXPECT_EQ(page->names[0][0], ' ') << "down on A";
    Key(Down());
    EXPECT_EQ(page->names[0][0], 'Z') << "down on space";
    Key(Up());
    EXPECT_EQ(page->names[0][0], ' ') << "up on Z";
    Key(Up());
    EXPECT_EQ(page->names[0][0], 'A') << "up on space";

    for (int i = 0; i < 6; ++i)
        Key(Right());
    EXPECT_EQ(page->editColumn, 4);
    Key(Down());
    Key(Down());
    Key(Left());
    Key(Down());
    EXPECT_STREQ(page->names[0], "AAA Z");
    EXPECT_EQ(SoundsPlayed(), 0) << "no key on this page plays a sound";
    Confirm();
    EXPECT_EQ(test::ReadBytes(DataFile()),
              EncodeTable({{"AAA Z", 50}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}}));
}

TEST_F(HiScoreSceneTest, LookingOnlyIgnoresLetterKeysAndAnyTapGoesBack) {
    WriteTable(kSevenScores);
    Look(kStateOptions);
    for (int key : {Up(), Down(), Left(), Right()})
        Key(key);
    EXPECT_EQ(Shown(), kSevenScores);
    EXPECT_EQ(game->state, kStateHiScores);
    game->OnTap(239, 319);
    EXPECT_EQ(game->state, kStateOptions);
    EXPECT_EQ(test::ReadBytes(DataFile()), EncodeTable(kSevenScores));

    // Every visit reads the file again.
    WriteTable({{"NEW", 9}});
    Look(kStateGameOver);
    DrawFrame();
    EXPECT_EQ(page->names[0], std::string("NEW"));
    EXPECT_EQ(page->scores[0], 9);
}

TEST_F(HiScoreSceneTest, TheMarkBlinksUnderTheLetterThreeFramesInSix) {
    FinishGame(1);
    std::vector<int> counters;
    for (int i = 0; i < 7; ++i) {
        DrawFrame();
        counters.push_back(page->blinkCounter);
    }
    EXPECT_EQ(counters, (std::vector<int>{1, 2, 3, 4, 5, 0, 1}));
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
    const std::vector<uint8_t> bytes = test::ReadBytes(DataFile());
    ASSERT_EQ(bytes.size(), 77u);
    EXPECT_EQ(bytes, EncodeTable(table));
    EXPECT_EQ(bytes[7 * 11 - 1], 0x80) << "scores are little-endian";

    RestartGame();
    page = game->hiScorePage;
    page->LoadTable();
    EXPECT_EQ(Shown(), table);
}

TEST_F(HiScoreSceneTest, NamesFromADamagedFileAreCutToFiveLettersTheTableCanShow) {
    std::vector<uint8_t> bytes = EncodeTable(kSevenScores);
    std::memset(bytes.data(), 'X', 7);  // no terminating zero at all
    const uint8_t odd[7] = {'a', '7', 0xFF, '\n', 'Q', 'R', 'S'};
    std::memcpy(bytes.data() + 11, odd, 7);
    bytes.resize(11 * 2 + 9);  // third record's name whole, its score cut short
    test::WriteBytes(DataFile(), bytes);
    FinishGame(1);
    DrawFrame();
    EXPECT_STREQ(page->names[0], "XXXXX");
    EXPECT_STREQ(page->names[1], "    Q");
    EXPECT_EQ(page->scores[0], 700);
    EXPECT_EQ(page->editRow, 2) << "1 passes the score of 0 the file could not give";
    EXPECT_STREQ(page->names[3], "CHAR");
    EXPECT_EQ(page->scores[3], 0);
    for (const auto& name : page->names)
        EXPECT_EQ(name[5], '\0');
}

TEST_F(HiScoreSceneTest, AnEmptyOrOversizedFileIsHarmless) {
    test::WriteBytes(DataFile(), {});
    Look(kStateGameOver);
    DrawFrame();
    EXPECT_EQ(page->scores[0], 0);
    Confirm();

    std::vector<uint8_t> bytes = EncodeTable(kSevenScores);
    bytes.resize(4096, 'Z');
    test::WriteBytes(DataFile(), bytes);
    Look(kStateGameOver);
    DrawFrame();
    EXPECT_EQ(Shown(), kSevenScores);
}

TEST_F(HiScoreSceneTest, ASaveThatFailsKeepsTheHighScoresThatWereThere) {
    WriteTable(kSevenScores);
    const std::vector<uint8_t> before = test::ReadBytes(DataFile());
    // The disk fills after 40 bytes of the new file.
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit tiny = old;
    tiny.rlim_cur = 40;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    FinishGame(999);
    Confirm();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(test::ReadBytes(DataFile()), before);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(saveDir)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1) << "no half-written file is left behind";
}

TEST_F(HiScoreSceneTest, ASaveDirectoryThatIsAFileIsLeftAlone) {
    const std::string blocker = saveDir + "/blocker";
    test::WriteBytes(blocker, {1, 2, 3});
    test::UseSaveDir(blocker);
    FinishGame(999);
    DrawFrame();
    Confirm();
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(test::ReadBytes(blocker), (std::vector<uint8_t>{1, 2, 3}));
    Look(kStateGameOver);
    DrawFrame();
    EXPECT_EQ(page->scores[0], 999) << "with no file the table in memory stays";
}

TEST_F(HiScoreSceneTest, TheFirstSaveCreatesTheSaveDirectory) {
    const std::string nested = saveDir + "/not/yet/there";
    test::UseSaveDir(nested);
    FinishGame(1234);
    Confirm();
    EXPECT_EQ(test::ReadBytes(nested + "/data.dat"),
              EncodeTable({{"AAAAA", 1234}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}, {"", 0}}));
}

TEST_F(HiScoreSceneTest, TwoConfirmsBeforeTheFirstFrameKeepEveryHighScore) {
    WriteTable(kSevenScores);
    FinishGame(650);
    // A second confirm arrives before the page has drawn anything.
    Confirm();
    EXPECT_EQ(game->state, kStateGameOver);
    const Table expected = {{"ALPHA", 700}, {"AAAAA", 650}, {"BRAVO", 600}, {"CHAR", 500},
                            {"DELTA", 400}, {"ECHO", 300},  {"FOX", 200}};
    EXPECT_EQ(test::ReadBytes(DataFile()), EncodeTable(expected));
    EXPECT_EQ(game->gameOverPage->selection, 1);
}

TEST_F(HiScoreSceneTest, ALetterKeyBeforeTheFirstFrameEditsTheNewEntry) {
    WriteTable(kSevenScores);
    FinishGame(10000);
    Key(Up());
    Key(Right());
    Key(Down());
    Confirm();
    Table expected = kSevenScores;
    expected.insert(expected.begin(), {"B AAA", 10000});
    expected.pop_back();
    EXPECT_EQ(test::ReadBytes(DataFile()), EncodeTable(expected));
}

}  // namespace
