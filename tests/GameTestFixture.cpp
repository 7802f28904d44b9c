#include "tests/GameTestFixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "gfx/Bitmap.h"
#include "platform/i_system.h"
#include "sound/SoundBank.h"
#include "tests/TestSupport.h"

void GameTestFixture::SetUp() {
    test::UseDisplay565();
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
    ForgetSounds();
}

void GameTestFixture::TearDown() {
    game.reset();
    I_Shutdown();
    std::filesystem::remove_all(dataDir_);
    std::filesystem::remove_all(saveDir_);
}

Bitmap* GameTestFixture::Solid(int width, int height, uint16_t value) {
    auto* bitmap = new Bitmap;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->pixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(width) * height, 2));
    auto* p = reinterpret_cast<uint16_t*>(bitmap->pixels);
    for (int i = 0; i < width * height; ++i)
        p[i] = value;
    return bitmap;
}

void GameTestFixture::Install(Bitmap*& slot, Bitmap* bitmap) {
    delete slot;
    slot = bitmap;
}

int GameTestFixture::TimesPlayed(const std::string& file) {
    // The sound bank loads a file into a channel once and replays it from there.
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

void GameTestFixture::ForgetSounds() {
    SoundBank::Reset();  // so the next play of each sound logs its load again
    I_HeadlessSoundLog().clear();
}
