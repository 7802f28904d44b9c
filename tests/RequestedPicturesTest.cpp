// Every picture the game asks for exists after a build and loads: the list comes from the
// names the Game, its pages and the bosses really pass to Bitmap::Load.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/DataCheck.h"
#include "game/DataFiles.h"

#include "bosses/Boss.h"
#include "game/Game.h"
#include "gfx/Bitmap.h"
#include "tests/TestSupport.h"

namespace {

std::set<std::string> g_requested;

TEST(RequestedPictures, EveryNameTheGameLoadsIsBuiltAndLoads) {
    test::UseDisplay565();
    test::UseDataDir(test::BuildDataDir());
    test::UseSaveDir(test::MakeTempDir());
    Bitmap::SetLoadObserver([](const char* name) { g_requested.insert(name); });
    {
        auto game = std::make_unique<Game>();
        for (int kind = kInsectBoss; kind <= kWizardBoss; ++kind)
            delete CreateBoss(kind, game.get(), 30, 17, 154, 132, 22);
    }
    Bitmap::SetLoadObserver(nullptr);
    // The play screen, fonts, effects and characters alone ask for well over 150 pictures.
    EXPECT_GT(g_requested.size(), 150u);
    const std::vector<std::string> listed = GameDataFiles();
    for (const std::string& name : g_requested) {
        std::unique_ptr<Bitmap> b(Bitmap::Load(name.c_str()));
        EXPECT_TRUE(b) << name << " is asked for but not built";
        EXPECT_NE(std::find(listed.begin(), listed.end(), name.substr(1)), listed.end())
            << name << " is asked for but start-up does not check it";
    }
}

// The game's list of its files is what the generator writes, icons and rounds apart.
TEST(RequestedPictures, TheGamesListOfDataFilesIsWhatTheGeneratorWrites) {
    std::set<std::string> built;
    for (const auto& entry : std::filesystem::directory_iterator(test::BuildDataDir())) {
        const std::string name = entry.path().filename().string();
        const std::string ext = entry.path().extension().string();
        if ((ext == ".bmp" || ext == ".wav") && name.rfind("icon", 0) != 0) built.insert(name);
    }
    const std::vector<std::string> listed = GameDataFiles();
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), built);
    EXPECT_EQ(listed.size(), built.size()) << "no name twice";
}

// Start-up refuses each of them cut short, and names it.
TEST(RequestedPictures, StartUpRefusesEachDataFileCutShort) {
    const std::string dir = test::MakeTempDir() + "/data";
    std::filesystem::copy(test::BuildDataDir(), dir);
    std::string problem;
    ASSERT_TRUE(CheckDataDirectory(dir, &problem)) << problem;
    for (const std::string& name : GameDataFiles()) {
        const std::string path = dir + "/" + name;
        const auto size = std::filesystem::file_size(path);
        const std::vector<uint8_t> whole = test::ReadBytes(path);
        std::filesystem::resize_file(path, size - 1);
        EXPECT_FALSE(CheckDataDirectory(dir, &problem)) << name;
        EXPECT_EQ(problem.find(path + " is not a whole"), 0u) << problem;
        test::WriteBytes(path, whole);
    }
}

// The browser's data has its music compressed: the same name with ".ogg" stands for a sound.
TEST(RequestedPictures, ACompressedSoundStandsForItsWave) {
    const std::string dir = test::MakeTempDir() + "/data";
    std::filesystem::copy(test::BuildDataDir(), dir);
    std::filesystem::remove(dir + "/backnormal.wav");
    std::string problem;
    EXPECT_FALSE(CheckDataDirectory(dir, &problem));
    EXPECT_NE(problem.find("backnormal.wav is missing"), std::string::npos) << problem;
    test::WriteBytes(dir + "/backnormal.ogg", {'O', 'g', 'g', 'S', 0, 2});
    EXPECT_TRUE(CheckDataDirectory(dir, &problem)) << problem;
    test::WriteBytes(dir + "/backnormal.ogg", {'R', 'I', 'F', 'F'});
    EXPECT_FALSE(CheckDataDirectory(dir, &problem));
    EXPECT_NE(problem.find("backnormal.ogg is not a whole sound"), std::string::npos) << problem;
}

}  // namespace
