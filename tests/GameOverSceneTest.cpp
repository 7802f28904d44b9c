#include <gtest/gtest.h>

#include "pages/GameOverScene.h"
#include "tests/PageTestFixture.h"

namespace {

enum Entry { kNewGame = 0, kRetry = 1, kHiScores = 2, kTitle = 3 };

class GameOverSceneTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        Enter();
    }
    void Enter() {
        game->state = kStateGameOver;
        game->running = false;
        page = game->gameOverPage;
        ASSERT_NE(page, nullptr);
    }

    GameOverScene* page = nullptr;
};

TEST_F(GameOverSceneTest, TapsInsideTheMenuBoxConfirmTheirEntryAtOnce) {
    struct Case {
        int x, y;
        int entry;  // -1: nothing happens
    };
    const Case cases[] = {
        {78, 112, kNewGame}, {100, 153, kNewGame}, {100, 154, kRetry}, {100, 160, kRetry},
        {176, 240, kTitle},  {100, 282, kTitle},   {77, 200, -1},      {177, 200, -1},
        {100, 111, -1},      {100, 283, -1},
    };
    for (const Case& c : cases) {
        Enter();
        page->selection = kHiScores;
        game->OnTap(c.x, c.y);
        if (c.entry < 0) {
            EXPECT_EQ(game->state, kStateGameOver) << c.x << "," << c.y;
            EXPECT_EQ(page->selection, kHiScores) << c.x << "," << c.y;
            continue;
        }
        EXPECT_EQ(page->selection, c.entry) << c.x << "," << c.y;
        const int expected = c.entry == kTitle ? kStateTitle : kStatePlay;
        EXPECT_EQ(game->state, expected) << c.x << "," << c.y;
        EXPECT_EQ(game->running, expected == kStatePlay) << c.x << "," << c.y;
    }
}

TEST_F(GameOverSceneTest, CursorWrapsWithTheMenuSoundAndOtherKeysAreIgnored) {
    Key(Up());
    EXPECT_EQ(page->selection, kTitle);
    Key(Down());
    EXPECT_EQ(page->selection, kNewGame);
    EXPECT_EQ(SoundsPlayed(), 2);
    Key(Left());
    Key(Right());
    Key(kPauseKey);
    EXPECT_EQ(page->selection, kNewGame);
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(SoundsPlayed(), 2);
}

TEST_F(GameOverSceneTest, AfterAFinishedGameTheCursorWaitsOnRetry) {
    page->selection = kTitle;
    game->state = kStateHiScores;  // as the end of a game leaves it
    game->hiScoreReturnState = 0;
    page->Prepare();
    Confirm();  // the score of 0 does not qualify: straight on to this page
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(page->selection, kRetry);
    Confirm();
    EXPECT_EQ(game->state, kStatePlay);
    EXPECT_TRUE(game->running);
}

TEST_F(GameOverSceneTest, HighScoreEntryComesBackHereWithTheCursorKept) {
    page->selection = kHiScores;
    game->OnKeyDown(kConfirmKeys[1]);
    EXPECT_EQ(game->state, kStateHiScores);
    EXPECT_EQ(game->hiScoreReturnState, kStateGameOver);
    game->OnTap(5, 5);  // any tap leaves the table
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(page->selection, kHiScores);

    page->selection = kTitle;
    Confirm();
    EXPECT_EQ(game->state, kStateTitle);
    EXPECT_FALSE(game->running);
}

}  // namespace
