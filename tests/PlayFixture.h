// A Game set up for driving the play logic directly: temporary data and save directories,
// an empty field, the play state and the game running.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bosses/Boss.h"
#include "game/Game.h"
#include "tests/TestSupport.h"

namespace test {

// Records the calls the Game makes on its boss.
class FakeBoss : public Boss {
  public:
    bool HitTest(int, int, int, int) override { return false; }
    void UpdateAndDraw(BackBuffer&) override {}
    bool IsAlive() override { return true; }
    void Start() override { ++starts; }
    int starts = 0;
};

// Byte offset of a field row inside an 83-byte round record.
inline int RoundRowOffset(int row) {
    return (row / 2) * 15 + (row % 2) * 8;
}

// A round file of 48 empty records.
inline std::vector<uint8_t> EmptyRoundFile() {
    return std::vector<uint8_t>(48 * 83, 0);
}

inline void SetRoundCell(std::vector<uint8_t>& file, int round, int row, int col, int code) {
    file[static_cast<size_t>(round * 83 + RoundRowOffset(row) + col)] = static_cast<uint8_t>(code);
}

class PlayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseDisplay565();
        dataDir = MakeTempDir();
        saveDir = MakeTempDir();
        UseDataDir(dataDir);
        UseSaveDir(saveDir);
        game = std::make_unique<Game>();
        ClearField();
        game->state = kStatePlay;
        game->running = true;
    }

    void TearDown() override {
        game.reset();
        std::filesystem::remove_all(dataDir);
        std::filesystem::remove_all(saveDir);
    }

    void ClearField() {
        for (auto& row : game->field)
            for (int& cell : row)
                cell = kEmptyCell;
    }

    void WriteRounds(const std::vector<uint8_t>& file) {
        WriteBytes(dataDir + "/rounds.dat", file);
        // The game reads its rounds once; one made before the file was written reads again.
        if (game) game->UseRounds(RoundBook::BuiltIn(dataDir.c_str()));
    }

    // Puts the shot in the air at (x, y) with the velocity (vx, vy).
    void Fly(int x, int y, int vx, int vy, int colour) {
        game->shotFlying = true;
        game->shotX = x;
        game->shotY = y;
        game->shotVX = vx;
        game->shotVY = vy;
        game->shotColour = colour;
    }

    // Runs frames until the shot has landed (at most limit frames); false if it never did.
    bool UpdateUntilLanded(int limit = 40) {
        for (int i = 0; i < limit && game->shotFlying; ++i)
            game->Update();
        return !game->shotFlying;
    }

    std::string dataDir;
    std::string saveDir;
    std::unique_ptr<Game> game;
};

}  // namespace test
