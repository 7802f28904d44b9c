#include <gtest/gtest.h>

#include <string>

#include "pages/GameOverScene.h"
#include "tests/PageTestFixture.h"

namespace {

enum Entry { kNewGame = 0, kRetry = 1, kHiScores = 2, kTitle = 3 };

class GameOverSceneTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        page = game->gameOverPage;
        ASSERT_NE(page, nullptr);
        game->state = kStateGameOver;
    }
    GameOverScene* page = nullptr;
};

TEST_F(GameOverSceneTest, TapsInsideTheMenuBoxConfirmTheirEntryAtOnce) {
    struct Case {
        int x, y, entry;  // entry -1: nothing happens
    };
    const Case cases[] = {{78, 112, kNewGame}, {100, 153, kNewGame}, {100, 154, kRetry},
                          {100, 160, kRetry},  {176, 240, kTitle},   {100, 282, kTitle},
                          {77, 200, -1},       {177, 200, -1},       {100, 111, -1},
                          {100, 283, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        game->state = kStateGameOver;
        game->running = false;
        page->selection = kHiScores;
        game->round = 5;  // the round that was lost; a new game starts at the start round
        Tap(c.x, c.y);
        const int state = c.entry < 0 ? kStateGameOver : c.entry == kTitle ? kStateTitle : 0;
        EXPECT_EQ(game->state, state);
        EXPECT_EQ(page->selection, c.entry < 0 ? kHiScores : c.entry);
        EXPECT_EQ(game->running, state == kStatePlay);
        EXPECT_EQ(game->round, c.entry == kNewGame ? 0 : 5);
    }
}

TEST_F(GameOverSceneTest, AfterAFinishedGameTheCursorWaitsOnRetryAndHighScoresComeBackHere) {
    page->selection = kTitle;
    Key(game->keys.vkDown);
    EXPECT_EQ(page->selection, kNewGame);
    EXPECT_EQ(SoundsPlayed(), 1);
    page->Prepare();  // as the end of a game does
    EXPECT_EQ(page->selection, kRetry);

    page->selection = kHiScores;
    Key(kConfirmKeys[1]);
    EXPECT_EQ(game->state, kStateHiScores);
    Tap(5, 5);  // any tap leaves the table
    EXPECT_EQ(game->state, kStateGameOver);
    EXPECT_EQ(page->selection, kHiScores);
}

}  // namespace
