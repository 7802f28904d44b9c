// A Game over an empty data directory (so no picture is drawn unless a test installs it), a
// temporary save directory and the headless back end, whose log tells which sounds played.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "game/Game.h"

class Bitmap;

class GameTestFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A picture of one raw 16-bit value, so a frame tells which picture landed where.
    static Bitmap* Solid(int width, int height, uint16_t value);
    // Replaces the picture in a slot of the game or a page.
    static void Install(Bitmap*& slot, Bitmap* bitmap);
    // How often the sound file ("menu.wav") was played since the game was made or the
    // sounds were last forgotten.
    static int TimesPlayed(const std::string& file);
    static void ForgetSounds();

    std::unique_ptr<Game> game;

  private:
    std::string dataDir_, saveDir_;
};
