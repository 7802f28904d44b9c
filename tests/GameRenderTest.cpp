// The play screen: the game logic that runs only inside its drawing (loss and clear tests,
// the boss's life, hit and step, the effects' steps) and the pictures whose choice is logic.
#include <gtest/gtest.h>
#include <png.h>

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

TEST_F(PlayScreenTest, LowestBubbleOnTheDeadlineRowStartsTheLoss) {
    game->field[10][0] = 2;
    DrawFrame();
    EXPECT_FALSE(game->losing);
    game->field[11][0] = 2;
    DrawFrame();
    EXPECT_TRUE(game->losing);
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

TEST_F(PlayScreenTest, PointerPictureByAngleMirroredOnTheLeft) {
    for (int i = 0; i < 21; ++i) {
        Install(game->pointerImages[i], Solid(2, 1, 0x100 + i));
        reinterpret_cast<uint16_t*>(game->pointerImages[i]->pixels)[1] = 0x200 + i;
    }
    // angle, left pixel, right pixel: 170 is the 10-degree picture mirrored.
    const int cases[][3] = {
        {170, 0x214, 0x114}, {10, 0x114, 0x214}, {90, 0x100, 0x200}, {94, 0x201, 0x101}};
    for (const auto& c : cases) {
        game->aimAngle = c[0];
        DrawFrame();
        EXPECT_EQ(Pixel(74, 235), c[1]) << c[0];
        EXPECT_EQ(Pixel(75, 235), c[2]) << c[0];
    }
}

TEST_F(PlayScreenTest, LaunchWarningBlinksAndStepsUntilTheAutomaticLaunch) {
    for (int i = 0; i < 5; ++i)
        Install(game->warnImages[i], Solid(1, 1, 0x600 + i));
    // idleFrames, picture shown at (30, 237) or -1.
    const int cases[][2] = {{100, -1}, {101, 0}, {109, 0},  {110, -1}, {120, 1},
                            {149, 2},  {169, 3}, {170, -1}, {179, -1}, {180, 4}};
    for (const auto& c : cases) {
        game->idleFrames = c[0];
        DrawFrame();
        EXPECT_EQ(Pixel(30, 237), c[1] < 0 ? 0 : 0x600 + c[1]) << c[0];
    }
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

TEST_F(PlayScreenTest, MaskOverlayTilesTheUpperFieldWhenPausedOrCleared) {
    Install(game->maskImage, Solid(1, 1, 0x0D0D));
    DrawFrame();
    EXPECT_EQ(CountPixels(0x0D0D), 0);
    game->suspended = true;
    DrawFrame();
    EXPECT_EQ(CountPixels(0x0D0D), 99);
    for (int j = 0; j < 9; ++j)
        for (int i = 0; i < 11; ++i)
            EXPECT_EQ(Pixel(30 + 16 * i, 30 + 16 * j), 0x0D0D) << i << "," << j;
    game->suspended = false;
    game->roundCleared = true;
    DrawFrame();
    EXPECT_EQ(CountPixels(0x0D0D), 99);
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

TEST_F(PlayScreenTest, BackgroundStepsByTheFirstPatternAndIsSkippedWithoutIt) {
    Install(game->patternImages[1], Solid(1, 1, 0xA01));
    game->round = 5;
    DrawFrame();
    EXPECT_EQ(CountPixels(0xA01), 0);
    Install(game->patternImages[0], Solid(10, 12, 0xA00));
    DrawFrame();
    EXPECT_EQ(CountPixels(0xA01), 24);
    EXPECT_EQ(Pixel(30, 60), 0xA01);
}

// The whole binary: the screenshot of a fresh push-mode game shows each bubble of the game's
// field, in its colour, at its cell.
std::vector<uint8_t> ReadPngRgb(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    const bool ok = image.width == 240 && image.height == 320 &&
                    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
    png_image_free(&image);
    return ok ? rgb : std::vector<uint8_t>();
}

// The 96 codes of the "field" array of the --stats line.
std::vector<int> StatsFieldCells(const std::string& json) {
    std::vector<int> cells;
    const size_t at = json.find("\"field\":");
    const size_t end = json.find("]]", at);
    for (size_t i = at + 8; at != std::string::npos && i < end;) {
        if (json[i] != '-' && (json[i] < '0' || json[i] > '9')) {
            ++i;
            continue;
        }
        size_t used = 0;
        cells.push_back(std::stoi(json.substr(i, 12), &used));
        i += used;
    }
    return cells;
}

TEST(PlayScreenEndToEnd, ScreenshotShowsTheFieldTheGameHolds) {
    const std::string dir = test::MakeTempDir(), script = dir + "/push.txt";
    const std::string text = "1 keydown 40\n2 keydown 193\n";
    test::WriteBytes(script, std::vector<uint8_t>(text.begin(), text.end()));
    const test::RunResult run = test::RunGame(
        "--headless --frames 6 --stats --data-dir " + test::BuildDataDir() + " --save-dir " + dir +
        "/save --input " + script + " --shot 5:" + dir + "/play.png");
    const std::vector<uint8_t> rgb = ReadPngRgb(dir + "/play.png");
    std::filesystem::remove_all(dir);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(test::StatsField(run.out, "state"), "0");
    ASSERT_EQ(test::StatsField(run.out, "rowParity"), "0");
    const std::vector<int> cells = StatsFieldCells(run.out);
    ASSERT_EQ(cells.size(), 96u);
    ASSERT_FALSE(rgb.empty());

    test::UseDisplay565();
    test::UseDataDir(test::BuildDataDir());
    int checked = 0;
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < 8 - r % 2; ++c) {
            const int code = cells[r * 8 + c];
            if (code < 1 || code > 8) continue;
            std::unique_ptr<Bitmap> ball(
                Bitmap::Load(("\\ball" + std::to_string(code) + ".bmp").c_str()));
            ASSERT_NE(ball, nullptr);
            const int cx = ball->width / 2, cy = ball->height / 2;
            const uint16_t v = ball->Pixel16(cx, cy);
            const uint8_t* p =
                &rgb[((17 + 19 * r + cy) * 240 + 30 + 22 * c + (r % 2) * 11 + cx) * 3];
            // Compared as 5-5-5: the PNG keeps green's top five bits only.
            EXPECT_EQ((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3,
                      (v >> 11) << 10 | ((v >> 6) & 31) << 5 | (v & 31))
                << "row " << r << " col " << c;
            ++checked;
        }
    }
    EXPECT_GE(checked, 30);  // five rows of a fresh push-mode game
}

}  // namespace
