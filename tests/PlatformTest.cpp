#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/InputScript.h"
#include "platform/Screenshots.h"
#include "platform/Stylus.h"
#include "platform/i_system.h"
#include "platform/sdl/Instance.h"
#include "tests/TestSupport.h"

namespace {

TEST(InputScript, ParsesEventsAndComments) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(
        script.Parse("# a comment\n0 keydown 193\n\n2 tap 239 319 # end\n2 move 0 0\n"
                     "3 keydown 65 ctrl\n4 keyup 37\n5 release 7 300\n",
                     &error))
        << error;
    const auto& e = script.Events();
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(e[1].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(e[1].a, 239);
    EXPECT_EQ(e[1].b, 319);
    EXPECT_TRUE(e[3].control);
    const MSG tap = InputScript::ToMessage(e[1], nullptr);
    EXPECT_EQ(tap.lParam, 239 | 319 << 16);
    EXPECT_EQ(InputScript::FormatMessage(2, tap), "2 tap 239 319");
    EXPECT_EQ(e[5].message, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(InputScript::FormatMessage(5, InputScript::ToMessage(e[5], nullptr)),
              "5 release 7 300");
}

TEST(InputScript, RefusesBadLinesNamingThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"0 keydown 193\n1 jump 3\n", "line 2"},
        {"5 keydown 193\n4 keyup 193\n", "line 2: frame 4 comes after frame 5"},
        {"0 tap 240 0\n", "line 1"},
        {"0 tap 10\n", "line 1"},
        {"0 release 0 320\n", "line 1"},
        {"-1 keydown 193\n", "line 1"},
        {"x keydown 193\n", "line 1"},
        {"0 keydown 999\n", "line 1"},
        {"0 keydown 193 extra\n", "line 1"},
        {"99999999999999999999 keydown 1\n", "line 1"},
    };
    for (const auto& [text, expected] : cases) {
        InputScript script;
        std::string error;
        EXPECT_FALSE(script.Parse(text, &error)) << text;
        EXPECT_EQ(error.rfind(expected, 0), 0u) << error;
        EXPECT_TRUE(script.Events().empty());
    }
}

TEST(InstanceLock, SecondStartFindsTheFirstAndAsksItToComeForward) {
    const std::string dir = test::MakeTempDir();
    InstanceLock first(dir);
    ASSERT_TRUE(first.Claim());
    InstanceLock second(dir);
    EXPECT_TRUE(second.OtherRunning());
    EXPECT_FALSE(second.Claim());
    EXPECT_FALSE(first.TakeRaiseRequest());
    EXPECT_TRUE(second.RaiseOther());
    EXPECT_TRUE(first.TakeRaiseRequest());
    EXPECT_FALSE(first.TakeRaiseRequest());
}

TEST(InstanceLock, StaleSocketOfACrashedGameIsTakenOver) {
    const std::string dir = test::MakeTempDir();
    {
        InstanceLock crashed(dir);
        ASSERT_TRUE(crashed.Claim());
        test::WriteBytes(dir + "/keep", {1});
    }
    // The destructor removed the socket; make a stale file in its place.
    InstanceLock probe(dir);
    test::WriteBytes(probe.Path(), {0});
    InstanceLock next(dir);
    EXPECT_FALSE(next.OtherRunning());
    EXPECT_TRUE(next.Claim());
}

TEST(SaveFiles, AtomicWriteCreatesParentsAndReplacesWhole) {
    const std::string dir = test::MakeTempDir() + "/a/b/c";
    const std::string path = dir + "/data.dat";
    const char first[] = "first";
    ASSERT_TRUE(I_WriteFileAtomic(path, first, 5));
    struct stat st;
    ASSERT_EQ(stat(dir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    const char second[] = "2nd";
    ASSERT_TRUE(I_WriteFileAtomic(path, second, 3));
    EXPECT_EQ(test::ReadBytes(path), (std::vector<uint8_t>{'2', 'n', 'd'}));
}

TEST(Screenshots, SavedAtTheWindowScaleWithoutOverwriting) {
    std::vector<uint16_t> frame(240 * 320, 0xF800);
    GXDisplayProperties d;
    d.cxWidth = 240;
    d.cyHeight = 320;
    d.cbxPitch = 2;
    d.cbyPitch = 480;
    d.cBPP = 16;
    d.ffFormat = kfDirect565;
    const std::string dir = test::MakeTempDir() + "/pictures";
    const std::string first = platform::SaveScreenshot(frame.data(), d, 2, dir);
    const std::string second = platform::SaveScreenshot(frame.data(), d, 2, dir);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    const auto png = test::ReadBytes(first);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png[18] << 8 | png[19], 480);
    EXPECT_EQ(png[22] << 8 | png[23], 640);
    EXPECT_EQ(platform::SaveScreenshot(frame.data(), d, 0, dir), "");
}

// A save killed at each of its steps leaves the old file or the new one, whole.
TEST(SaveFiles, KilledAtEveryStepLeavesOldOrNewWhole) {
    const std::string dir = test::MakeTempDir();
    const std::string path = dir + "/data.dat";
    const std::vector<uint8_t> oldTable(77, 'o'), newTable(77, 'n');
    for (int step = 1; step <= 5; ++step) {
        test::WriteBytes(path, oldTable);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            static int killAt;
            killAt = step;
            I_SetSaveStepHook([](int s) {
                if (s == killAt) _exit(0);
            });
            I_WriteFileAtomic(path, newTable.data(), newTable.size());
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        const auto now = test::ReadBytes(path);
        EXPECT_TRUE(now == oldTable || now == newTable) << "killed at step " << step;
        // Until the rename the old table stands; from it on, the new one.
        EXPECT_EQ(now, step == 5 ? newTable : oldTable) << "step " << step;
    }
    // A later save succeeds despite the temporary files the killed ones left.
    EXPECT_TRUE(I_WriteFileAtomic(path, newTable.data(), newTable.size()));
    EXPECT_EQ(test::ReadBytes(path), newTable);
}

// One stylus from a mouse and fingers: what reaches the game as press, drag and release.
TEST(Stylus, OnePressAtATimeAndEveryDeliveredPressIsReleased) {
    using S = Stylus::Source;
    Stylus stylus;
    std::deque<MSG> q;
    stylus.Down(S::kMouse, 0, false, 0, 10, q);  // on the letterbox: dropped
    stylus.Move(S::kMouse, 0, 1, 11, q);         // and so is its drag
    stylus.Up(S::kMouse, 0, 2, 12, q);
    stylus.Down(S::kFinger, 7, true, 3, 13, q);
    stylus.Down(S::kFinger, 8, true, 4, 14, q);  // a second finger
    stylus.Move(S::kFinger, 8, 5, 15, q);
    stylus.Down(S::kMouse, 0, true, 6, 16, q);  // the mouse meanwhile
    stylus.Move(S::kMouse, 0, 7, 17, q);
    stylus.Move(S::kFinger, 7, 8, 18, q);
    stylus.Up(S::kFinger, 8, 9, 19, q);
    stylus.Up(S::kFinger, 7, 239, 319, q);  // lifted off the picture: clamped by the caller
    EXPECT_FALSE(stylus.Held());
    stylus.Down(S::kMouse, 0, true, 10, 20, q);
    EXPECT_TRUE(stylus.Held());
    std::string seen;
    for (const MSG& m : q)
        seen += InputScript::FormatMessage(0, m).substr(2) + ";";
    EXPECT_EQ(seen, "tap 3 13;move 8 18;release 239 319;tap 10 20;");
}

}  // namespace
