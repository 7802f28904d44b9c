// Every picture the game asks for exists after a build and loads: the list comes from the
// names the Game, its pages and the bosses really pass to Bitmap::Load.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

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
    for (const std::string& name : g_requested) {
        std::unique_ptr<Bitmap> b(Bitmap::Load(name.c_str()));
        EXPECT_TRUE(b) << name << " is asked for but not built";
    }
}

}  // namespace
