// The play screen: what it draws where, and the game logic that runs only inside it (loss and
// clear tests, the boss's life, hit and step, the effects' steps).
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "actors/Effect.h"
#include "actors/Rival.h"
#include "bosses/Boss.h"
#include "game/Game.h"
#include "gfx/Bitmap.h"
#include "gfx/DataPath.h"
#include "gfx/ScoreCounter.h"
#include "platform/i_system.h"
#include "sound/SoundBank.h"
#include "tests/TestSupport.h"

namespace {

// A picture of one raw 16-bit value, so the frame tells which picture landed where.
Bitmap* Solid(int width, int height, uint16_t value) {
    auto* bitmap = new Bitmap;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->pixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(width) * height, 2));
    auto* p = reinterpret_cast<uint16_t*>(bitmap->pixels);
    for (int i = 0; i < width * height; ++i)
        p[i] = value;
    return bitmap;
}

// Two pixels, left and right, so a mirrored copy shows them swapped.
Bitmap* Pair(uint16_t left, uint16_t right) {
    Bitmap* bitmap = Solid(2, 1, left);
    reinterpret_cast<uint16_t*>(bitmap->pixels)[1] = right;
    return bitmap;
}

void Install(Bitmap*& slot, Bitmap* bitmap) {
    delete slot;
    slot = bitmap;
}

// How often the sound file was played, from the headless back end's log of library calls.
int TimesPlayed(const std::string& file) {
    std::map<int, std::string> channelFile;
    int plays = 0;
    for (const std::string& line : I_HeadlessSoundLog()) {
        int channel = -1;
        char name[64] = {};
        if (std::sscanf(line.c_str(), "load %d %63s", &channel, name) == 2)
            channelFile[channel] = name;
        else if (std::sscanf(line.c_str(), "play %d", &channel) == 1 &&
                 channelFile[channel] == file)
            ++plays;
    }
    return plays;
}

class FakeBoss : public Boss {
  public:
    bool HitTest(int x, int y, int width, int height) override {
        calls.push_back("hit " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::to_string(width) + " " + std::to_string(height));
        return struck;
    }
    void UpdateAndDraw(BackBuffer&) override { calls.push_back("step"); }
    bool IsAlive() override {
        calls.push_back("alive");
        return alive;
    }
    void Start() override {}

    bool alive = true;
    bool struck = false;
    std::vector<std::string> calls;
};

// Writes its update, draw and deletion into a shared log; ends after `frames` updates.
class LoggingEffect : public Effect {
  public:
    LoggingEffect(std::vector<std::string>* log, int id, int frames)
        : log_(log), id_(id), frames_(frames) {}
    ~LoggingEffect() override { Write("delete"); }
    bool Update() override {
        Write("update");
        return --frames_ >= 0;
    }
    void Draw(BackBuffer&) override { Write("draw"); }

  private:
    void Write(const char* what) { log_->push_back(std::string(what) + " " + std::to_string(id_)); }
    std::vector<std::string>* log_;
    int id_;
    int frames_;
};

class PlayScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseDisplay565();
        // No pictures at all: every test installs the few it looks for.
        dataDir_ = test::MakeTempDir();
        saveDir_ = test::MakeTempDir();
        test::UseDataDir(dataDir_);
        test::UseSaveDir(saveDir_);
        PlatformOptions options;
        options.headless = true;
        options.dataDir = dataDir_;
        options.saveDir = saveDir_;
        std::string error;
        ASSERT_TRUE(I_Init(options, "tarngame", &error)) << error;
        SoundBank::Reset();
        game = std::make_unique<Game>();
        I_HeadlessSoundLog().clear();
        game->state = kStatePlay;
        game->running = true;
        // One bubble at the top, far from the deadline: neither cleared nor lost.
        ClearField();
        game->field[0][0] = 1;
    }
    void TearDown() override {
        game.reset();
        I_Shutdown();
        std::filesystem::remove_all(dataDir_);
        std::filesystem::remove_all(saveDir_);
    }

    void ClearField() {
        for (auto& row : game->field)
            for (int& cell : row)
                cell = kEmptyCell;
    }
    void DrawFrame() { game->DrawPlayScreen(frame.Buffer()); }
    uint16_t Pixel(int x, int y) const { return frame.Pixel(x, y); }
    int CountPixels(uint16_t value) const {
        int n = 0;
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 240; ++x)
                n += Pixel(x, y) == value;
        return n;
    }

    // Outlives the game, whose destructor deletes the effects that still write to it.
    std::vector<std::string> log;
    std::unique_ptr<Game> game;
    test::Frame frame;
    std::string dataDir_, saveDir_;
};

TEST_F(PlayScreenTest, EmptyFieldInRoundsModeClearsTheRoundInItsFirstFrame) {
    ClearField();
    DrawFrame();
    EXPECT_TRUE(game->roundCleared);
    EXPECT_EQ(TimesPlayed("clear.wav"), 1);
    // The cheer shows, its happy sound silenced for the clear sound.
    EXPECT_EQ(game->rival->pose, Rival::kWin);
    EXPECT_TRUE(game->rival->muteHappy);
}

TEST_F(PlayScreenTest, FieldWithBubblesOrInPushModeIsNotCleared) {
    DrawFrame();
    EXPECT_FALSE(game->roundCleared);
    ClearField();
    game->pushMode = true;
    DrawFrame();
    EXPECT_FALSE(game->roundCleared);
    EXPECT_EQ(TimesPlayed("clear.wav"), 0);
}

TEST_F(PlayScreenTest, GreyBubblesKeepTheFieldFromCountingAsCleared) {
    ClearField();
    game->field[3][2] = 0;
    Install(game->ballImages[0], Solid(1, 1, 0x0A0A));
    DrawFrame();
    EXPECT_FALSE(game->roundCleared);
    // Row 3 is short with parity 0: half a cell to the right.
    EXPECT_EQ(Pixel(30 + 2 * 22 + 11, 17 + 3 * 19), 0x0A0A);
}

TEST_F(PlayScreenTest, EmptyFieldWithABossClearsOnlyAfterTheBossIsGone) {
    FakeBoss insect;
    game->round = 11;
    game->boss = &insect;
    ClearField();
    DrawFrame();
    EXPECT_FALSE(game->roundCleared);

    insect.alive = false;
    const int scoreBefore = game->GetScore();
    DrawFrame();  // the boss's fall has run out: reward, boss dropped, not yet cleared
    EXPECT_EQ(game->boss, nullptr);
    EXPECT_EQ(game->GetScore() - scoreBefore, 1000000);
    EXPECT_FALSE(game->roundCleared);

    DrawFrame();
    EXPECT_TRUE(game->roundCleared);
}

TEST_F(PlayScreenTest, BossStepsLifeThenHitThenBehaviour) {
    FakeBoss boss;
    game->boss = &boss;
    game->shotFlying = true;
    game->shotX = 90;
    game->shotY = 120;
    DrawFrame();
    EXPECT_EQ(boss.calls, (std::vector<std::string>{"alive", "hit 90 120 22 22", "step"}));
    EXPECT_TRUE(game->shotFlying);

    // A strike makes the shot vanish.
    boss.calls.clear();
    boss.struck = true;
    DrawFrame();
    EXPECT_EQ(boss.calls, (std::vector<std::string>{"alive", "hit 90 120 22 22", "step"}));
    EXPECT_FALSE(game->shotFlying);

    // No shot, no hit test.
    boss.calls.clear();
    DrawFrame();
    EXPECT_EQ(boss.calls, (std::vector<std::string>{"alive", "step"}));
}

TEST_F(PlayScreenTest, DefeatedBossIsNeitherHitNorDrawnAndItsBonusEffectsStartAtOnce) {
    FakeBoss crab;
    crab.alive = false;
    game->round = 23;
    game->boss = &crab;
    game->shotFlying = true;
    DrawFrame();
    EXPECT_EQ(crab.calls, (std::vector<std::string>{"alive"}));
    EXPECT_TRUE(game->shotFlying);
    EXPECT_EQ(game->GetScore(), 2000000);
    // Four bonus pictures, stepped in the same frame (they are still alive).
    EXPECT_EQ(game->lastEffect, 3);
    for (int i = 0; i <= 3; ++i)
        EXPECT_NE(game->effects[i], nullptr);
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
    game->running = false;  // the test runs in the drawing, not only while playing
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
    Install(game->maskImage, Solid(1, 1, 0x0D0D));
    DrawFrame();
    EXPECT_EQ(Pixel(0, 0), 0x0F0F);
    EXPECT_EQ(Pixel(200, 304), 0);
    EXPECT_EQ(CountPixels(0x0D0D), 0);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(boss.calls.empty());
    EXPECT_FALSE(game->roundCleared);
    EXPECT_FALSE(game->losing);
}

TEST_F(PlayScreenTest, PointerPictureByAngleMirroredOnTheLeft) {
    for (int i = 0; i < 21; ++i)
        Install(game->pointerImages[i], Pair(0x100 + i, 0x200 + i));
    struct Case {
        int angle;
        uint16_t left, right;
    };
    // 170 is the 10-degree picture mirrored; 94 the 86-degree one mirrored.
    const Case cases[] = {{170, 0x214, 0x114},
                          {10, 0x114, 0x214},
                          {90, 0x100, 0x200},
                          {94, 0x201, 0x101},
                          {86, 0x101, 0x201}};
    for (const Case& c : cases) {
        frame.Fill(0);
        game->aimAngle = c.angle;
        DrawFrame();
        EXPECT_EQ(Pixel(74, 235), c.left) << c.angle;
        EXPECT_EQ(Pixel(75, 235), c.right) << c.angle;
    }
}

TEST_F(PlayScreenTest, MachineryTurnsWithTheAim) {
    for (int i = 0; i < 3; ++i) {
        Install(game->gearImages[i], Solid(1, 1, 0x300 + i));
        Install(game->smallGearImages[i], Solid(1, 1, 0x400 + i));
        Install(game->dogImages[i], Solid(1, 1, 0x500 + i));
    }
    const int angleAndFrame[][2] = {{90, 0}, {94, 2}, {98, 1}, {86, 1}};
    for (const auto& af : angleAndFrame) {
        game->aimAngle = af[0];
        DrawFrame();
        EXPECT_EQ(Pixel(96, 254), 0x300 + af[1]) << af[0];
        EXPECT_EQ(Pixel(138, 272), 0x400 + af[1]) << af[0];
        EXPECT_EQ(Pixel(154, 262), 0x500 + af[1]) << af[0];
    }
}

TEST_F(PlayScreenTest, LaunchWarningBlinksAndStepsUntilTheAutomaticLaunch) {
    for (int i = 0; i < 5; ++i)
        Install(game->warnImages[i], Solid(1, 1, 0x600 + i));
    // idleFrames -> picture shown at (30, 237), -1 for none.
    const int expected[][2] = {{100, -1}, {101, 0},  {109, 0},  {110, -1}, {119, -1},
                               {120, 1},  {129, 1},  {130, -1}, {140, 2},  {160, 3},
                               {169, 3},  {170, -1}, {179, -1}, {180, 4}};
    for (const auto& e : expected) {
        frame.Fill(0);
        game->idleFrames = e[0];
        DrawFrame();
        EXPECT_EQ(Pixel(30, 237), e[1] < 0 ? 0 : 0x600 + e[1]) << "idleFrames " << e[0];
    }
}

TEST_F(PlayScreenTest, PictureIndexOutsideItsTableDrawsNothing) {
    for (int i = 0; i < 5; ++i)
        Install(game->warnImages[i], Solid(1, 1, 0x600 + i));
    Install(game->ballImages[8], Solid(1, 1, 0x708));
#ifdef NDEBUG
    game->idleFrames = 200;  // a flight that outlasted the warning
    game->nextColour = 9;
    DrawFrame();
    EXPECT_EQ(Pixel(30, 237), 0);
    EXPECT_EQ(Pixel(107, 266), 0);
#else
    game->idleFrames = 200;
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

    frame.Fill(0);
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
    EXPECT_EQ(log, (std::vector<std::string>{"update 0", "draw 0", "update 2", "draw 2"}));
    log.clear();
    DrawFrame();
    EXPECT_EQ(log, (std::vector<std::string>{"update 0", "delete 0", "update 2", "draw 2"}));
    EXPECT_EQ(game->effects[0], nullptr);
    EXPECT_NE(game->effects[2], nullptr);
    EXPECT_EQ(game->lastEffect, 2);
}

TEST_F(PlayScreenTest, WhilePausedTheFieldStillJittersAndEffectsAndBossStillRun) {
    FakeBoss boss;
    game->boss = &boss;
    game->AddEffect(new LoggingEffect(&log, 0, 5));
    game->Suspend();
    game->shotsSinceDrop = kWarnShots + 1;
    game->shakeOffset = 1;
    Install(game->ballImages[1], Solid(1, 1, 0x0101));
    DrawFrame();
    EXPECT_EQ(game->shakeOffset, -1);
    EXPECT_EQ(Pixel(29, 17), 0x0101);
    EXPECT_EQ(log, (std::vector<std::string>{"update 0", "draw 0"}));
    EXPECT_EQ(boss.calls, (std::vector<std::string>{"alive", "step"}));

    frame.Fill(0);
    DrawFrame();
    EXPECT_EQ(game->shakeOffset, 1);
    EXPECT_EQ(Pixel(31, 17), 0x0101);
}

TEST_F(PlayScreenTest, NoJitterUpToTheWarningCount) {
    game->shotsSinceDrop = kWarnShots;
    Install(game->ballImages[1], Solid(1, 1, 0x0101));
    DrawFrame();
    EXPECT_EQ(game->shakeOffset, 1);
    EXPECT_EQ(Pixel(30, 17), 0x0101);
}

TEST_F(PlayScreenTest, FieldCellsFollowRowParityAndCodes) {
    for (int i = 0; i < 9; ++i)
        Install(game->ballImages[i], Solid(1, 1, 0x800 + i));
    game->field[1][2] = 5;
    game->field[2][7] = 8;
    game->field[4][3] = 100003;  // a mark that outlived its shot still draws, in grey
    DrawFrame();
    EXPECT_EQ(Pixel(30, 17), 0x801);
    EXPECT_EQ(Pixel(30 + 44 + 11, 17 + 19), 0x805);
    EXPECT_EQ(Pixel(30 + 7 * 22, 17 + 2 * 19), 0x808);
    EXPECT_EQ(Pixel(30 + 3 * 22, 17 + 4 * 19), 0x800);

    // Push mode after an odd number of pushes: the even rows are the short, shifted ones,
    // and the eighth slot of a short row is not drawn.
    frame.Fill(0);
    game->pushMode = true;
    game->rowParityFlag = true;
    game->rowParity = 1;
    DrawFrame();
    EXPECT_EQ(Pixel(30 + 11, 17), 0x801);
    EXPECT_EQ(Pixel(30 + 44, 17 + 19), 0x805);
    EXPECT_EQ(CountPixels(0x808), 0);
}

TEST_F(PlayScreenTest, StonesPileUpFromTheFieldTop) {
    for (int i = 0; i < 11; ++i)
        Install(game->stoneImages[i], Solid(1, 1, 0x900 + i));
    game->field[0][0] = kEmptyCell;
    game->field[5][0] = 1;  // keep the round going
    DrawFrame();
    EXPECT_EQ(CountPixels(0x900), 0);

    game->deadlineRow = 9;  // two drops
    DrawFrame();
    EXPECT_EQ(Pixel(30, 17 + 19), 0x900);
    EXPECT_EQ(Pixel(30, 17), 0x901);

    game->deadlineRow = 0;  // all eleven; the field is lost, but every stone is drawn
    DrawFrame();
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(Pixel(30, 17 + (10 - i) * 19), 0x900 + i) << i;
}

TEST_F(PlayScreenTest, BackgroundTilesStepByTheFirstPatternsSize) {
    Install(game->patternImages[0], Solid(10, 12, 0xA00));
    Install(game->patternImages[1], Solid(1, 1, 0xA01));
    game->round = 5;
    DrawFrame();
    EXPECT_EQ(CountPixels(0xA01), 24);
    EXPECT_EQ(Pixel(30, 60), 0xA01);
    EXPECT_EQ(Pixel(40, 0), 0);
    EXPECT_EQ(Pixel(0, 72), 0);
}

TEST_F(PlayScreenTest, MissingFirstPatternSkipsTheBackground) {
    Install(game->patternImages[1], Solid(1, 1, 0xA01));
    game->round = 4;
    DrawFrame();
    EXPECT_EQ(CountPixels(0xA01), 0);
}

TEST_F(PlayScreenTest, LauncherBubblesShotAndExitAtTheirPlaces) {
    for (int i = 1; i < 9; ++i)
        Install(game->ballImages[i], Solid(1, 1, 0xB00 + i));
    Install(game->bridgeImage, Solid(1, 1, 0xB0B));
    Install(game->exitImage, Solid(1, 1, 0xE0E));
    game->field[0][0] = kEmptyCell;
    game->field[5][0] = 4;
    game->nextColour = 3;
    game->afterNextColour = 6;
    game->shotFlying = true;
    game->shotColour = 7;
    game->shotX = 120;
    game->shotY = 150;
    DrawFrame();
    EXPECT_EQ(Pixel(107, 266), 0xB03);
    EXPECT_EQ(Pixel(80, 270), 0xB06);  // over the bridge
    EXPECT_EQ(Pixel(120, 150), 0xB07);
    EXPECT_EQ(Pixel(200, 304), 0xE0E);
}

// The whole binary: the screenshot of a push-mode game shows each bubble the game holds, in
// its colour, at its cell.
struct Screenshot {
    std::vector<uint8_t> rgb;
    // The pixel as the 16-bit display held it (green's lowest bit is lost in the PNG).
    int Colour555(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * 240 + x) * 3];
        return (p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3;
    }
};

bool ReadPng(const std::string& path, Screenshot* shot) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    if (image.width != 240 || image.height != 320) {
        png_image_free(&image);
        return false;
    }
    shot->rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, shot->rgb.data(), 0, nullptr) != 0;
}

int Colour555Of565(uint16_t v) {
    return (v >> 11) << 10 | ((v >> 6) & 31) << 5 | (v & 31);
}

// The 96 codes of the "field" array of the --stats line.
std::vector<int> StatsFieldCells(const std::string& json) {
    std::vector<int> cells;
    size_t at = json.find("\"field\":");
    if (at == std::string::npos) return cells;
    at += 8;
    const size_t end = json.find("]]", at);
    for (size_t i = at; i < end && end != std::string::npos;) {
        if (json[i] == '-' || (json[i] >= '0' && json[i] <= '9')) {
            size_t used = 0;
            cells.push_back(std::stoi(json.substr(i, 12), &used));
            i += used;
        } else {
            ++i;
        }
    }
    return cells;
}

TEST(PlayScreenEndToEnd, ScreenshotShowsTheFieldTheGameHolds) {
    const std::string dir = test::MakeTempDir();
    const std::string script = dir + "/push.txt";
    const std::string text = "1 keydown 40\n2 keydown 193\n";
    test::WriteBytes(script, std::vector<uint8_t>(text.begin(), text.end()));
    const std::string png = dir + "/play.png";
    const test::RunResult run =
        test::RunGame("--headless --frames 6 --stats --data-dir " + test::BuildDataDir() +
                      " --save-dir " + dir + "/save --input " + script + " --shot 5:" + png);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(test::StatsField(run.out, "state"), "0");
    ASSERT_EQ(test::StatsField(run.out, "rowParity"), "0");
    Screenshot shot;
    ASSERT_TRUE(ReadPng(png, &shot));
    std::filesystem::remove_all(dir);
    const std::vector<int> cells = StatsFieldCells(run.out);
    ASSERT_EQ(cells.size(), 96u);

    test::UseDisplay565();
    test::UseDataDir(test::BuildDataDir());
    std::unique_ptr<Bitmap> balls[9];
    for (int i = 0; i < 9; ++i) {
        balls[i].reset(Bitmap::Load(("\\ball" + std::to_string(i) + ".bmp").c_str()));
        ASSERT_NE(balls[i], nullptr);
    }
    int checked = 0;
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < 8 - r % 2; ++c) {
            const int code = cells[r * 8 + c];
            if (code < 1 || code > 8) continue;
            const Bitmap& ball = *balls[code];
            const int x = 30 + 22 * c + (r % 2) * 11, y = 17 + 19 * r;
            EXPECT_EQ(shot.Colour555(x + ball.width / 2, y + ball.height / 2),
                      Colour555Of565(ball.Pixel16(ball.width / 2, ball.height / 2)))
                << "row " << r << " col " << c;
            ++checked;
        }
    }
    EXPECT_GE(checked, 30);  // five rows of a fresh push-mode game
}

}  // namespace
