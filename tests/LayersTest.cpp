// The layers hold: no source file includes a header from above its own layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/LayerRule.h"
#include "tests/TestSupport.h"

namespace {

TEST(Layers, EverySourceFileIncludesOnlyItsOwnLayerAndBelow) {
    for (const std::string& line : test::FindLayerBreaks(TARN_SOURCE_DIR))
        ADD_FAILURE() << line;
}

void Write(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
}

TEST(Layers, TheCheckerFindsPlantedUpwardIncludes) {
    const std::string root = test::MakeTempDir();
    Write(root + "/gfx/Good.cpp", "#include \"gfx/Good.h\"\n#include \"platform/i_gx.h\"\n");
    Write(root + "/game/Good.cpp", "#include \"pages/TitleScene.h\"\n#include \"formats/X.h\"\n");
    Write(root + "/app/Main.cpp", "#include \"game/Game.h\"\n#include <SDL.h>\n");
    Write(root + "/gfx/Bad.cpp", "#include <cstdio>\n  #  include \"app/Globals.h\"\n");
    Write(root + "/sound/Bad.h", "#include \"gfx/Bitmap.h\"\n");
    Write(root + "/formats/Bad.cpp", "#include \"game/RoundBook.h\"\n");
    Write(root + "/tools/assetgen/Bad.cpp", "#include \"game/Game.h\"\n#include <cairo.h>\n");
    Write(root + "/platform/sdl/Bad.cpp", "#include <SDL.h>\n#include \"game/Game.h\"\n");
    Write(root + "/pages/Bad.cpp", "#include <SDL.h>\n");
    std::vector<std::string> found = test::FindLayerBreaks(root);
    std::sort(found.begin(), found.end());
    const std::vector<std::string> expected = {
        "formats/Bad.cpp:1: includes game/RoundBook.h",
        "gfx/Bad.cpp:2: includes app/Globals.h",
        "pages/Bad.cpp:1: includes <SDL.h>",
        "platform/sdl/Bad.cpp:2: includes game/Game.h",
        "sound/Bad.h:1: includes gfx/Bitmap.h",
        "tools/assetgen/Bad.cpp:1: includes game/Game.h",
    };
    EXPECT_EQ(found, expected);
    std::filesystem::remove_all(root);
}

TEST(Layers, TheRuleReadsAsTheReadmeSaysIt) {
    using test::MayInclude;
    EXPECT_TRUE(MayInclude("actors", "sound/SoundBank.h"));
    EXPECT_FALSE(MayInclude("actors", "game/Game.h"));
    EXPECT_TRUE(MayInclude("bosses", "pages/Scene.h"));
    EXPECT_TRUE(MayInclude("bot", "game/Game.h"));
    EXPECT_FALSE(MayInclude("game", "bot/Autoplayer.h"));
    EXPECT_FALSE(MayInclude("platform", "gfx/Bitmap.h"));
    EXPECT_TRUE(MayInclude("server", "formats/ReplayHeader.h"));
    EXPECT_FALSE(MayInclude("server", "game/Game.h"));
    EXPECT_TRUE(MayInclude("tests", "app/Globals.h"));
}

}  // namespace
