// The autoplayer driving a Game in process, frame by frame, the way the shell delivers its
// keys: it starts the mode it was asked for, clears a round, and comes back after a loss.
#include <string>
#include <vector>

#include "bot/Autoplayer.h"
#include "gfx/ScoreCounter.h"
#include "pages/TitleScene.h"
#include "tests/PlayFixture.h"

namespace {

class AutoplayerTest : public test::PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        game->state = kStateTitle;
        game->running = false;
    }

    // One frame as the shell runs it: the bot's keys, then the update and the drawing.
    void RunFrame(Autoplayer& bot) {
        std::vector<InputEvent> events;
        bot.EventsFor(*game, frame_, &events);
        for (const InputEvent& e : events) {
            ASSERT_EQ(frame_, e.frame);
            ASSERT_TRUE(e.message == WM_KEYDOWN || e.message == WM_KEYUP);
            if (e.message == WM_KEYDOWN)
                game->OnKeyDown(e.a);
            else
                game->OnKeyUp(e.a);
        }
        game->Update();
        game->Render(picture_.Buffer());
        ++frame_;
    }

    void Run(Autoplayer& bot, int frames) {
        for (int i = 0; i < frames; ++i)
            RunFrame(bot);
    }

    // A round file whose first round is two rows of four colours.
    void WriteSmallFirstRound() {
        std::vector<uint8_t> file = test::EmptyRoundFile();
        for (int c = 0; c < 8; ++c) {
            test::SetRoundCell(file, 0, 0, c, 1 + c / 2);
            if (c < 7) test::SetRoundCell(file, 0, 1, c, 1 + (c + 1) / 2);
        }
        for (int round = 1; round < 48; ++round)
            test::SetRoundCell(file, round, 0, 0, 1);  // so the next round does not clear at once
        WriteRounds(file);
    }

    long frame_ = 0;
    test::Frame picture_;
};

TEST_F(AutoplayerTest, ClearsAShortRoundAndKeepsItsLog) {
    WriteSmallFirstRound();
    Autoplayer bot(Autoplayer::Mode::kRounds);
    for (int i = 0; i < 2000 && game->roundsCleared == 0; ++i)
        RunFrame(bot);
    RunFrame(bot);  // the bot sees the clear when it looks at the next frame
    ASSERT_EQ(1, game->roundsCleared);
    EXPECT_FALSE(game->pushMode);
    ASSERT_EQ(1u, bot.Rounds().count(0));
    const Autoplayer::RoundLog& first = bot.Rounds().at(0);
    EXPECT_TRUE(first.cleared);
    EXPECT_EQ(1, first.tries);
    EXPECT_EQ(game->shotsFired, first.shots);
    // Fifteen bubbles in four colours: a couple of dozen shots at the very most.
    EXPECT_LE(first.shots, 25);
    EXPECT_NE(std::string::npos, bot.Report().find("round 1: cleared yes"));
}

TEST_F(AutoplayerTest, AimsBeforeItFiresAndNeverFiresIntoAFlyingShot) {
    Autoplayer bot(Autoplayer::Mode::kPush, -1, 11);
    int fires = 0, aimed = 0;
    for (int i = 0; i < 600; ++i) {
        std::vector<InputEvent> events;
        const bool flying = game->shotFlying;
        bot.EventsFor(*game, frame_, &events);
        for (const InputEvent& e : events) {
            if (game->state != kStatePlay || e.message != WM_KEYDOWN) continue;
            if (IsConfirmKey(e.a)) {
                EXPECT_FALSE(flying);
                ++fires;
            } else if (e.a == game->keys.vkLeft || e.a == game->keys.vkRight) {
                ++aimed;
            }
        }
        for (const InputEvent& e : events)
            e.message == WM_KEYDOWN ? game->OnKeyDown(e.a) : game->OnKeyUp(e.a);
        game->Update();
        game->Render(picture_.Buffer());
        ++frame_;
    }
    EXPECT_GT(fires, 5);
    EXPECT_GT(aimed, 0);
    EXPECT_EQ(fires, game->shotsFired);  // no automatic launch: the bot is never that slow
}

TEST_F(AutoplayerTest, AfterALossItComesBackToPlayForAnotherTry) {
    WriteSmallFirstRound();
    Autoplayer bot(Autoplayer::Mode::kRounds);
    Run(bot, 40);
    ASSERT_EQ(kStatePlay, game->state);
    // The ceiling all the way down: the next drawing starts the lose sequence.
    game->deadlineRow = 0;
    int longest = 0;
    for (int i = 0; i < 400 && !(game->state == kStatePlay && game->running && !game->losing &&
                                 game->deadlineRow == kFieldRows - 1);
         ++i) {
        RunFrame(bot);
        longest = i;
    }
    RunFrame(bot);
    EXPECT_EQ(kStatePlay, game->state);
    EXPECT_TRUE(game->running);
    EXPECT_LT(longest, 399);
    EXPECT_EQ(2, bot.Rounds().at(0).tries);
}

}  // namespace
