// Pointer aiming through the binary: scripted presses, drags and releases in a fresh round,
// and a recorded pointer game replaying frame for frame.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/TestSupport.h"

namespace {

struct Played {
    std::string stats;
    std::string record;
};

// Starts rounds mode from the title at frame 0, then plays `script` and stops after `frames`.
Played Play(const std::string& script, int frames, const std::string& input = "") {
    const std::string dir = test::MakeTempDir();
    const std::string path = dir + "/input.txt";
    std::ofstream(path) << (input.empty() ? "0 keydown 193\n0 keyup 193\n" + script : input);
    const auto run = test::RunGame("--headless --stats --frames " + std::to_string(frames) +
                                   " --input " + path + " --record " + dir + "/rec.txt" +
                                   " --data-dir " + test::BuildDataDir() + " --save-dir " + dir);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::ifstream in(dir + "/rec.txt");
    return {run.out, std::string(std::istreambuf_iterator<char>(in), {})};
}

TEST(PointerEndToEnd, PressAndReleaseInTheFieldAimsAndFires) {
    const Played run = Play("2 tap 60 110\n2 move 40 120\n2 release 40 120\n", 4);
    EXPECT_EQ("118", test::StatsField(run.stats, "aimAngle"));
    EXPECT_EQ("1", test::StatsField(run.stats, "shotsFired"));
    EXPECT_EQ("1", test::StatsField(run.stats, "shotsSinceDrop"));
    EXPECT_NE(run.record.find("2 tap 60 110\n2 move 40 120\n2 release 40 120\n"), std::string::npos)
        << run.record;
}

TEST(PointerEndToEnd, ReleasesThatDoNotFire) {
    const struct {
        const char* why;
        const char* script;
        const char* state;
        const char* angle;
    } cases[] = {
        {"exit strip", "2 tap 210 300\n2 release 210 300\n", "1", "90"},
        {"lifted below the field", "2 tap 40 120\n3 move 40 300\n4 release 40 300\n", "0", "170"},
        {"paused", "2 keydown 194\n3 tap 40 120\n3 release 40 120\n", "0", "118"},
    };
    for (const auto& c : cases) {
        const Played run = Play(c.script, 6);
        EXPECT_EQ(c.state, test::StatsField(run.stats, "state")) << c.why;
        EXPECT_EQ(c.angle, test::StatsField(run.stats, "aimAngle")) << c.why;
        EXPECT_EQ("0", test::StatsField(run.stats, "shotsFired")) << c.why;
    }
}

TEST(PointerEndToEnd, ARecordedPointerGameReplaysExactly) {
    std::string script;
    for (int shot = 0; shot < 12; ++shot) {
        const int frame = 5 + shot * 30, x = 35 + (shot * 53) % 165;
        script += std::to_string(frame) + " tap " + std::to_string(x) + " 60\n" +
                  std::to_string(frame + 2) + " move " + std::to_string(x + 5) + " 90\n" +
                  std::to_string(frame + 3) + " release " + std::to_string(x + 5) + " 90\n";
    }
    const Played first = Play(script, 400);
    ASSERT_NE("0", test::StatsField(first.stats, "shotsFired"));
    const Played replay = Play("", 400, first.record);
    const auto cut = [](const std::string& s) { return s.substr(0, s.find("\"frame_us")); };
    EXPECT_EQ(cut(first.stats), cut(replay.stats));
}

}  // namespace
