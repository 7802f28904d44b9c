// Shared set-up for the boss suites: a real Game over an empty field, a frame to draw into,
// the headless sound back end with a way to count what played, and tiny stand-in pictures
// whose pixels tell where a boss drew what.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bosses/BossCommon.h"
#include "game/Game.h"
#include "gfx/Bitmap.h"
#include "platform/i_system.h"
#include "sound/SoundBank.h"
#include "tests/TestSupport.h"
#include "tools/assetgen/BmpWriter.h"

namespace bosstest {

struct Rgb {
    int r, g, b;
};

class BossTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseDisplay565();
        dataDir_ = test::MakeTempDir();
        saveDir_ = test::MakeTempDir();
        test::UseDataDir(dataDir_);
        test::UseSaveDir(saveDir_);
        PlatformOptions options;
        options.headless = true;
        options.dataDir = dataDir_;
        std::string error;
        ASSERT_TRUE(I_Init(options, "tarn_tests", &error)) << error;
        game_ = std::make_unique<Game>();
        EmptyField();
        ResetSounds();
    }
    void TearDown() override {
        game_.reset();
        I_Shutdown();
        std::filesystem::remove_all(dataDir_);
        std::filesystem::remove_all(saveDir_);
    }

    // A w x h picture of one colour in the data directory, with a magenta top-left pixel so
    // corner-keyed loads see the rest as opaque.
    void WritePicture(const std::string& name, int w, int h, Rgb c) {
        std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
        for (size_t i = 0; i < rgb.size(); i += 3) {
            rgb[i] = static_cast<uint8_t>(c.r);
            rgb[i + 1] = static_cast<uint8_t>(c.g);
            rgb[i + 2] = static_cast<uint8_t>(c.b);
        }
        rgb[0] = 255, rgb[1] = 0, rgb[2] = 255;
        test::WriteBytes(dataDir_ + "/" + name, assetgen::EncodeBmp24(w, h, rgb.data()));
    }

    // Is the pixel inside a picture of colour c (its first pixel is magenta, so look at +1,+1
    // or further)?
    bool Shows(int x, int y, Rgb c) const {
        return x >= 0 && y >= 0 && x < 240 && y < 320 &&
               frame_.Pixel(x, y) == PackDisplayColour(c.r, c.g, c.b);
    }

    void EmptyField() {
        for (auto& row : game_->field)
            for (int& cell : row)
                cell = kEmptyCell;
    }

    void ResetSounds() {
        SoundBank::Reset();
        I_HeadlessSoundLog().clear();
    }

    // How often the effect with this file name (e.g. "hit.wav") played since ResetSounds.
    int Played(const std::string& file) const {
        std::map<int, std::string> loaded;
        int count = 0;
        for (const std::string& line : I_HeadlessSoundLog()) {
            std::istringstream in(line);
            std::string verb;
            int channel = -1;
            in >> verb >> channel;
            if (verb == "load") in >> loaded[channel];
            if (verb == "play" && loaded[channel] == file) ++count;
        }
        return count;
    }

    // Frames of fighting or falling, each into a cleared frame.
    void Run(Boss& boss, int frames) {
        for (int i = 0; i < frames; ++i) {
            frame_.Fill(0);
            boss.UpdateAndDraw(frame_.Buffer());
        }
    }

    // A shot whose first test point lies just inside the hit square's top-left corner.
    static bool Strike(BossCommon& boss) {
        return boss.HitTest(boss.boxX + 1 - boss.hitMargin, boss.boxY + 1 - boss.hitMargin, 22, 22);
    }
    // A shot far away from anything.
    static bool Miss(BossCommon& boss) { return boss.HitTest(-500, -500, 22, 22); }

    template <typename T>
    std::unique_ptr<T> Make() {
        return std::make_unique<T>(game_.get(), 30, 17, 154, 132, 22);
    }

    std::vector<std::pair<int, int>> FilledCells() const {
        std::vector<std::pair<int, int>> cells;
        for (int r = 0; r < kFieldRows; ++r)
            for (int c = 0; c < kFieldCols; ++c)
                if (game_->field[r][c] != kEmptyCell) cells.emplace_back(r, c);
        return cells;
    }

    std::string dataDir_;
    std::string saveDir_;
    std::unique_ptr<Game> game_;
    test::Frame frame_;
};

}  // namespace bosstest
