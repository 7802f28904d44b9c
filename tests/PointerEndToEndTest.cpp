// Pointer aiming through the binary: scripted presses, drags and releases in a fresh round,
// and a recorded pointer game replaying frame for frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "game/FieldGeometry.h"
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
    EXPECT_EQ("122", test::StatsField(run.stats, "aimAngle"));
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
        {"paused", "2 keydown 194\n3 tap 40 120\n3 release 40 120\n", "0", "122"},
        {"right-hand water, paused", "2 keydown 194\n3 tap 202 150\n3 release 202 150\n", "0",
         "58"},
        {"exit key once", "2 keydown 197\n2 keyup 197\n", "0", "90"},
        {"exit key twice", "2 keydown 197\n2 keyup 197\n3 keydown 197\n", "1", "90"},
    };
    for (const auto& c : cases) {
        const Played run = Play(c.script, 6);
        EXPECT_EQ(c.state, test::StatsField(run.stats, "state")) << c.why;
        EXPECT_EQ(c.angle, test::StatsField(run.stats, "aimAngle")) << c.why;
        EXPECT_EQ("0", test::StatsField(run.stats, "shotsFired")) << c.why;
    }
}

// A press at the right-hand water of the field aims there and fires; it never leaves.
TEST(PointerEndToEnd, APressAtTheRightWallAimsAndDoesNotLeave) {
    const Played run = Play("2 tap 202 150\n3 release 202 150\n", 5);
    EXPECT_EQ("0", test::StatsField(run.stats, "state"));
    EXPECT_EQ("1", test::StatsField(run.stats, "shotsFired"));
    EXPECT_EQ("58", test::StatsField(run.stats, "aimAngle"));
}

// Over an empty field a release at the centre of a top-row cell sends the bubble into that
// cell, for every cell a flight reaches without a bounce. The round holds one bubble, in the
// top row's last cell, so that it is not cleared at once.
TEST(PointerEndToEnd, AReleaseOnATopRowCellSendsTheBubbleThere) {
    const std::string dir = test::MakeTempDir();
    std::string round = "round 1: one bubble\n. . . . . . . W\n";
    for (int row = 1; row < 11; ++row)
        round += row % 2 ? " . . . . . . .\n" : ". . . . . . . .\n";
    std::ofstream(dir + "/set.txt") << round;
    const FieldGeometry geometry;
    for (int col = 0; col < 7; ++col) {
        const int x = geometry.CellX(0, col) + 10, y = geometry.CellY(0) + 10;
        const std::string at = std::to_string(x) + " " + std::to_string(y);
        std::ofstream(dir + "/input.txt")
            << "0 keydown 193\n0 keyup 193\n2 tap " << at << "\n2 release " << at << "\n";
        const auto run = test::RunGame("--headless --stats --frames 60 --rounds " + dir +
                                       "/set.txt --input " + dir + "/input.txt --data-dir " +
                                       test::BuildDataDir() + " --save-dir " + dir);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        // The field's first row: the cell hit holds the launcher's colour, the others stay empty.
        const size_t from = run.out.find("\"field\":[[");
        ASSERT_NE(from, std::string::npos) << run.out;
        const std::string top = run.out.substr(from + 10, run.out.find(']', from) - from - 10);
        int filled = 0, hit = -1;
        const char* p = top.c_str();
        for (int c = 0; c < 7; ++c) {
            char* end = nullptr;
            if (std::strtol(p, &end, 10) > 0) {
                ++filled;
                hit = c;
            }
            p = *end == ',' ? end + 1 : end;
        }
        EXPECT_EQ(filled, 1) << "cell " << col << ": " << top;
        EXPECT_EQ(hit, col) << "cell " << col << " (" << at << "): " << top;
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
