// The play screen: the game logic that runs only inside its drawing (loss and clear tests,
// the boss's life, hit and step, the effects' steps) and the pictures whose choice is logic.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "actors/Effect.h"
#include "actors/Rival.h"
#include "bosses/Boss.h"
#include "gfx/Bitmap.h"
#include "tests/GameTestFixture.h"
#include "tests/TestSupport.h"

namespace {

using Log = std::vector<std::string>;

class FakeBoss : public Boss {
  public:
    bool HitTest(int x, int y, int width, int height) override {
        calls.push_back("hit " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::to_string(width) + " " + std::to_string(height));
        return struck;
    }
    void UpdateAndDraw(BackBuffer&) override { calls.push_back("step"); }
    void DrawStill(BackBuffer&) override { calls.push_back("still"); }
    bool IsAlive() override {
        calls.push_back("alive");
        return alive;
    }
    void Start() override {}

    bool alive = true;
    bool struck = false;
    Log calls;
};

// Logs its updates, draws and deletion; ends after `frames` updates.
class LoggingEffect : public Effect {
  public:
    LoggingEffect(Log* log, int id, int frames) : log_(log), id_(id), frames_(frames) {}
    ~LoggingEffect() override { Write("delete"); }
    bool Update() override {
        Write("update");
        return --frames_ >= 0;
    }
    void Draw(BackBuffer&) override { Write("draw"); }

  private:
    void Write(const char* what) { log_->push_back(what + std::string(" ") + std::to_string(id_)); }
    Log* log_;
    int id_;
    int frames_;
};

class PlayScreenTest : public GameTestFixture {
  protected:
    void SetUp() override {
        GameTestFixture::SetUp();
        game->state = kStatePlay;
        game->running = true;
        // One bubble at the top, far from the deadline: neither cleared nor lost.
        ClearField();
        game->field[0][0] = 1;
    }
    void ClearField() {
        for (auto& row : game->field)
            for (int& cell : row)
                cell = kEmptyCell;
    }
    void DrawFrame() {
        frame.Fill(0);
        game->DrawPlayScreen(frame.Buffer());
    }
    uint16_t Pixel(int x, int y) const { return frame.Pixel(x, y); }
    int CountPixels(uint16_t value) const {
        int n = 0;
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 240; ++x)
                n += Pixel(x, y) == value;
        return n;
    }

    Log log;  // declared before the game: effects still in its slots write here as it dies
    test::Frame frame;
};

TEST_F(PlayScreenTest, EmptyFieldInRoundsModeClearsTheRoundInItsFirstFrame) {
    DrawFrame();
    EXPECT_FALSE(game->roundCleared);
    ClearField();
    DrawFrame();
    EXPECT_TRUE(game->roundCleared);
    EXPECT_EQ(TimesPlayed("clear.wav"), 1);
    // The cheer shows, its happy sound silenced for the clear sound.
    EXPECT_EQ(game->rival->pose, Rival::kWin);
    EXPECT_TRUE(game->rival->muteHappy);
}

TEST_F(PlayScreenTest, GreyBubblesAndPushModeKeepTheFieldFromCountingAsCleared) {
    ClearField();
    game->field[3][2] = 0;
    Install(game->ballImages[0], Solid(1, 1, 0x0A0A));
    DrawFrame();
    EXPECT_FALSE(game->roundCleared);
    EXPECT_EQ(Pixel(30 + 2 * 22 + 11, 17 + 3 * 19), 0x0A0A);  // short row: half a cell right
    ClearField();
    game->pushMode = true;
    DrawFrame();
    EXPECT_FALSE(game->roundCleared);
    EXPECT_EQ(TimesPlayed("clear.wav"), 0);
}

TEST_F(PlayScreenTest, EmptyFieldWithABossClearsOnlyAfterTheBossIsGone) {
    FakeBoss insect;
    game->round = 11;
    game->boss = &insect;
    game->shotFlying = true;
    ClearField();
    DrawFrame();
    EXPECT_FALSE(game->roundCleared);

    // The fall has run out: reward and bonus pictures, boss dropped, neither hit nor drawn.
    insect.alive = false;
    insect.calls.clear();
    DrawFrame();
    EXPECT_EQ(insect.calls, Log{"alive"});
    EXPECT_EQ(game->boss, nullptr);
    EXPECT_EQ(game->GetScore(), 1000000);
    EXPECT_EQ(game->lastEffect, 1);
    EXPECT_FALSE(game->roundCleared);

    DrawFrame();
    EXPECT_TRUE(game->roundCleared);
}

TEST_F(PlayScreenTest, BossIsHitTestedWithTheShotThenSteps) {
    FakeBoss boss;
    game->boss = &boss;
    game->shotFlying = true;
    game->shotX = 90;
    game->shotY = 120;
    DrawFrame();
    EXPECT_EQ(boss.calls, (Log{"alive", "hit 90 120 22 22", "step"}));
    EXPECT_TRUE(game->shotFlying);

    boss.calls.clear();
    boss.struck = true;  // the shot vanishes
    DrawFrame();
    EXPECT_EQ(boss.calls, (Log{"alive", "hit 90 120 22 22", "step"}));
    EXPECT_FALSE(game->shotFlying);
}

TEST_F(PlayScreenTest, DeadlineRowZeroLosesEvenWithAnEmptyField) {
    ClearField();
    game->deadlineRow = 0;
    game->running = false;  // the test belongs to the drawing, not only to play
    DrawFrame();
    // Nothing to grey, so the lose step ends the game at once with the A key.
    EXPECT_FALSE(game->rivalLoseArmed);
    EXPECT_EQ(game->state, kStateHiScores);
}

TEST_F(PlayScreenTest, AfterTheLastRoundOnlyTheVictoryPictureIsDrawnAndNoLogicRuns) {
    FakeBoss boss;
    game->round = 48;
    game->boss = &boss;
    game->AddEffect(new LoggingEffect(&log, 0, 5));
    ClearField();
    game->deadlineRow = 0;
    game->suspended = true;
    Install(game->victoryImage, Solid(1, 1, 0x0F0F));
    Install(game->exitImage, Solid(1, 1, 0x0E0E));
    DrawFrame();
    EXPECT_EQ(Pixel(0, 0), 0x0F0F);
    EXPECT_EQ(CountPixels(0), 240 * 320 - 1);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(boss.calls.empty());
    EXPECT_FALSE(game->roundCleared);
    EXPECT_FALSE(game->losing);
}

TEST_F(PlayScreenTest, PictureIndexOutsideItsTableDrawsNothing) {
    Install(game->warnImages[4], Solid(1, 1, 0x604));
    Install(game->ballImages[8], Solid(1, 1, 0x708));
    game->idleFrames = 200;  // a flight that outlasted the warning
#ifdef NDEBUG
    game->nextColour = 9;
    DrawFrame();
    EXPECT_EQ(CountPixels(0x604) + CountPixels(0x708), 0);
#else
    EXPECT_DEATH(DrawFrame(), "");
#endif
}

TEST_F(PlayScreenTest, EffectsStepInSlotOrderAndFinishedOnesAreDeleted) {
    game->effects[0] = new LoggingEffect(&log, 0, 1);
    game->effects[2] = new LoggingEffect(&log, 2, 5);
    game->lastEffect = 2;
    DrawFrame();
    EXPECT_EQ(log, (Log{"update 0", "draw 0", "update 2", "draw 2"}));
    log.clear();
    DrawFrame();
    EXPECT_EQ(log, (Log{"update 0", "delete 0", "update 2", "draw 2"}));
    EXPECT_EQ(game->effects[0], nullptr);
    EXPECT_EQ(game->lastEffect, 2);
}

TEST_F(PlayScreenTest, WhilePausedTheFieldJittersAndEffectsRunButTheBossStandsStill) {
    FakeBoss boss;
    game->boss = &boss;
    game->AddEffect(new LoggingEffect(&log, 0, 5));
    game->Suspend();
    game->shotsSinceDrop = kWarnShots + 1;
    Install(game->ballImages[1], Solid(1, 1, 0x0101));
    DrawFrame();
    EXPECT_EQ(Pixel(29, 17), 0x0101);
    EXPECT_EQ(log, (Log{"update 0", "draw 0"}));
    EXPECT_EQ(boss.calls, (Log{"still"}));
    DrawFrame();
    EXPECT_EQ(Pixel(31, 17), 0x0101);
    game->shotsSinceDrop = kWarnShots;  // still: no jitter
    DrawFrame();
    DrawFrame();
    EXPECT_EQ(Pixel(30, 17), 0x0101);
}

}  // namespace
