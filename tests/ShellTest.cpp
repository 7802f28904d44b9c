// The shell and the platform's window layer, run in-process on the headless back end. Each
// run of the shell starts from a fresh game.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/Globals.h"
#include "app/Program.h"
#include "app/Resources.h"
#include "app/Shell.h"
#include "game/Game.h"
#include "platform/i_system.h"
#include "tests/TestSupport.h"

namespace {

PlatformOptions Headless(long frames) {
    PlatformOptions options;
    options.headless = true;
    options.frames = frames;
    options.dataDir = test::MakeDataDir();
    options.saveDir = test::MakeTempDir();
    return options;
}

int RunHeadless(const PlatformOptions& options) {
    Program program;
    program.platform = options;
    return RunProgram(program, "tarngame").exitCode;
}

bool Contains(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

TEST(Shell, FirstPaintCreatesEverythingAndTheDestroyPathEndsWithZero) {
    I_HeadlessSoundLog().clear();
    EXPECT_EQ(RunHeadless(Headless(0)), 0);
    ASSERT_NE(g_game, nullptr);
    ASSERT_NE(g_backBuffer, nullptr);
    EXPECT_FALSE(g_firstPaint);
    EXPECT_EQ(I_FrameCount(), 0);  // the first paint draws no frame
    EXPECT_EQ(g_game->state, kStateTitle);
    const auto& log = I_HeadlessSoundLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "init 8");
    EXPECT_TRUE(Contains(log, "volume 7 64 64"));
    EXPECT_TRUE(Contains(log, "load 7 backnormal.wav"));
    EXPECT_TRUE(Contains(log, "play 7 1"));
    EXPECT_EQ(log.back(), "close");
}

TEST(Shell, PacingSurvivesTheTickCounterWrapping) {
    PlatformOptions options = Headless(-1);
    options.tickStart = 0xFFFFFFF0u;
    std::string error;
    ASSERT_TRUE(I_Init(options, "tarngame", &error)) << error;
    g_lastFrameTick = 0;
    WaitForNextFrame();  // the first call returns at once
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    EXPECT_EQ(g_lastFrameTick, 0xFFFFFFF0u);
    WaitForNextFrame();
    EXPECT_EQ(g_lastFrameTick, 0x22u);  // 50 ms later, past the wrap
    WaitForNextFrame();
    EXPECT_EQ(g_lastFrameTick, 0x54u);
    I_Shutdown();
}

TEST(Shell, AcceleratorsReachTheShellAndDoNothing) {
    std::string error;
    RegisterResources(AppResources());
    ASSERT_TRUE(I_Init(Headless(0), "tarngame", &error)) << error;
    ASSERT_EQ(WinMain(nullptr, nullptr, L"", 1), 0);
    HACCEL accelerators = LoadAcceleratorsW(nullptr, kAcceleratorTable);
    ASSERT_NE(accelerators, nullptr);
    MSG ctrlA;
    ctrlA.hwnd = g_hWnd;
    ctrlA.message = WM_KEYDOWN;
    ctrlA.wParam = 0x41;
    ctrlA.control = true;
    const int stateBefore = g_game->state;
    EXPECT_EQ(TranslateAcceleratorW(g_hWnd, accelerators, &ctrlA), 1);
    MSG ctrlQ = ctrlA;
    ctrlQ.wParam = 0x51;
    EXPECT_EQ(TranslateAcceleratorW(g_hWnd, accelerators, &ctrlQ), 1);
    MSG plainA = ctrlA;
    plainA.control = false;
    EXPECT_EQ(TranslateAcceleratorW(g_hWnd, accelerators, &plainA), 0);
    EXPECT_EQ(g_game->state, stateBefore);
    I_Shutdown();
}

TEST(Shell, ResourcesNameTheWindow) {
    RegisterResources(AppResources());
    wchar_t title[100], cls[100];
    EXPECT_EQ(LoadStringW(nullptr, kStringTitle, title, 100), 13);
    EXPECT_EQ(std::wstring(title), L"TarnGameFrame");
    LoadStringW(nullptr, kStringClassName, cls, 100);
    EXPECT_EQ(std::wstring(cls), L"TARNGAMEFRAME");
    wchar_t small[5];
    EXPECT_EQ(LoadStringW(nullptr, kStringTitle, small, 5), 4);  // cut, terminated
}

TEST(Shell, ProgramDirectoryIsTheDataDirectory) {
    PlatformOptions options = Headless(0);
    options.dataDir = test::MakeTempDir() + "/d\xC3\xA9j\xC3\xA0";  // non-ASCII in UTF-8
    std::filesystem::create_directories(options.dataDir);
    test::CompleteDataDir(options.dataDir);
    ASSERT_EQ(RunHeadless(options), 0);
    EXPECT_EQ(std::string(g_moduleDirA), options.dataDir);
    EXPECT_EQ(std::string(g_saveDirA), options.saveDir);
}

}  // namespace

namespace {

// The desktop and the page run the same start: these hold for both.
TEST(Program, AShotThatWasNotWrittenFailsTheRun) {
    Program program;
    program.platform = Headless(3);
    program.platform.shots.push_back({1, "/nonexistent-dir/shot.png"});
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(program, "tarngame").exitCode, 1);
    testing::internal::GetCapturedStderr();
}

// What a second start would fail to carry out while a game runs: nothing for a plain start,
// everything asked for otherwise (the window's own lock is tried under Xvfb).
TEST(Program, StartRequestsNameWhatAPlainStartDoesNotAsk) {
    Program program;
    EXPECT_EQ(StartRequests(program), "");
    program.start = Program::Start::kEditor;
    program.editFile = "mine.txt";
    program.platform.saveDir = "/tmp/other";
    program.platform.scale = 3;
    EXPECT_EQ(StartRequests(program),
              "the round editor on mine.txt, the save directory /tmp/other, a window at scale 3");
    Program rounds;
    rounds.roundsFile = "set.txt";
    rounds.bot = Autoplayer::Mode::kPush;
    EXPECT_EQ(StartRequests(rounds), "the round set set.txt, the autoplayer");
}

TEST(Program, AnEditorSetThatCannotBeOpenedFailsOrLeavesTheTitle) {
    const std::string dir = test::MakeTempDir();
    std::ofstream(dir + "/bad.txt") << "this is not a round set\n";
    Program program;
    program.platform = Headless(2);
    program.start = Program::Start::kEditor;
    program.editFile = dir + "/bad.txt";
    Program::Start started = Program::Start::kEditor;
    program.started = [&started](Program::Start start) { started = start; };
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(program, "tarngame").exitCode, 1);
    program.editorOrTitle = true;  // the page
    EXPECT_EQ(RunProgram(program, "tarngame").exitCode, 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("tarngame: "), std::string::npos);
    EXPECT_EQ(started, Program::Start::kTitle);
    ASSERT_NE(g_game, nullptr);
    EXPECT_EQ(g_game->state, kStateTitle);
}

}  // namespace
