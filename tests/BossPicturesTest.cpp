// The boss pictures as the bosses read them: present, within their room, keyed the way each
// boss keys them without hiding an opaque pixel, and shaped where the code places them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Bitmap.h"
#include "tests/TestSupport.h"
#include "tools/assetgen/BmpReader.h"
#include "tools/assetgen/Generators.h"

namespace {

enum class Key { None, Corner, Black, Red };

struct BossPicture {
    std::string name;
    Key key;
    int maxWidth, maxHeight;
    bool exact;
};

std::vector<BossPicture> Catalogue() {
    std::vector<BossPicture> c;
    auto add = [&c](const std::string& name, Key key, int w, int h, bool exact = false) {
        c.push_back({name + ".bmp", key, w, h, exact});
    };
    add("life", Key::None, 8, 8, true);
    for (const char* el : {"el0", "el1", "el2"})
        add(el, Key::Black, 18, 18);
    for (const char* n : {"insect0", "insect1", "insect2", "insect3", "insect00", "insect01",
                          "insect02", "insect03", "insecthitted"})
        add(n, Key::Corner, 55, 55);
    for (const char* n :
         {"crab", "crab1", "crab2", "crab3", "crab01", "crab02", "crab03", "crabthrow1",
          "crabthrow2", "crabthrow3", "crabthrow4", "crabhitted1", "crabhitted2"})
        add(n, Key::Corner, 68, 60);
    add("crableg", Key::Corner, 24, 14);
    add("snakehead1", Key::Corner, 22, 44, true);
    add("snakehead2", Key::Corner, 44, 22, true);
    add("snakehead3", Key::Corner, 44, 22, true);
    add("snakehead4", Key::Corner, 22, 44, true);
    for (const char* n : {"snakebody1", "snakebody2", "snakebody3"})
        add(n, Key::Corner, 22, 22, true);
    for (const char* n : {"wizard", "wizard1", "wizardhitted"})
        add(n, Key::Red, 56, 64);
    add("wizardweapon", Key::Red, 64, 64);
    for (const char* n : {"broom0", "broom1", "broom2", "broom3"})
        add(n, Key::Red, 32, 32);
    for (const char* n : {"wizardball", "wizardball1", "wizardball2"})
        add(n, Key::Black, 14, 14);
    return c;
}

class BossPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseDisplay565();
        test::UseDataDir(test::BuildDataDir());
    }
    static assetgen::RgbImage Raw(const std::string& name) {
        assetgen::RgbImage image;
        EXPECT_TRUE(assetgen::ReadBmp(test::BuildDataDir() + "/" + name, image)) << name;
        return image;
    }
    static Bitmap* LoadKeyed(const BossPicture& p) {
        Bitmap* b = Bitmap::Load(("\\" + p.name).c_str());
        if (!b) return nullptr;
        if (p.key == Key::Corner) b->SetColorKeyFromCorner();
        if (p.key == Key::Black) b->SetColorKey(0, 0, 0);
        if (p.key == Key::Red) b->SetColorKey(255, 0, 0);
        return b;
    }
};

// Opaque pixels of a keyed picture, counted the way the game sees them.
int OpaqueIn(const Bitmap& b, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += b.Pixel16(x, y) != b.key16;
    return n;
}

TEST_F(BossPictures, EveryBossPictureLoadsWithinItsRoom) {
    const auto all = Catalogue();
    EXPECT_EQ(all.size(), 45u);
    for (const BossPicture& p : all) {
        std::unique_ptr<Bitmap> b(LoadKeyed(p));
        ASSERT_NE(b, nullptr) << p.name;
        if (p.exact) {
            EXPECT_EQ(b->width, p.maxWidth) << p.name;
            EXPECT_EQ(b->height, p.maxHeight) << p.name;
        } else {
            EXPECT_LE(b->width, p.maxWidth) << p.name;
            EXPECT_LE(b->height, p.maxHeight) << p.name;
            EXPECT_GE(b->width, p.maxWidth * 3 / 5) << p.name;
        }
    }
}

TEST_F(BossPictures, KeysSitWhereTheBossesLookAndHideNoOpaquePixel) {
    for (const BossPicture& p : Catalogue()) {
        const assetgen::RgbImage raw = Raw(p.name);
        const uint8_t* corner = raw.rgb.data();
        if (p.key == Key::Corner) {
            EXPECT_TRUE(corner[0] == 255 && corner[1] == 0 && corner[2] == 255) << p.name;
        }
        if (p.name.rfind("el", 0) == 0) {
            // Read with a black key by the crab and the snake, with the corner by the insect.
            EXPECT_TRUE(corner[0] == 0 && corner[1] == 0 && corner[2] == 0) << p.name;
        }
        if (p.key == Key::None) continue;
        for (const bool layout565 : {true, false}) {
            if (layout565) {
                test::UseDisplay565();
            } else {
                test::UseDisplay555();
            }
            std::unique_ptr<Bitmap> b(LoadKeyed(p));
            ASSERT_NE(b, nullptr) << p.name;
            int clear = 0, hidden = 0;
            for (int y = 0; y < b->height; ++y) {
                for (int x = 0; x < b->width; ++x) {
                    const uint8_t* c = &raw.rgb[(static_cast<size_t>(y) * raw.width + x) * 3];
                    const bool meantClear =
                        c[0] == corner[0] && c[1] == corner[1] && c[2] == corner[2];
                    clear += meantClear;
                    hidden += !meantClear && b->Pixel16(x, y) == b->key16;
                }
            }
            EXPECT_EQ(hidden, 0) << p.name << (layout565 ? " 565" : " 555");
            EXPECT_GT(clear, 0) << p.name;
            EXPECT_GT(OpaqueIn(*b, 0, 0, b->width, b->height), 0) << p.name;
        }
    }
}

TEST_F(BossPictures, SnakeHeadsLieOverTheirOwnCellWithTheTongueAhead) {
    struct Head {
        const char* name;
        int headX, headY, tongueX, tongueY;  // top-left corners of the two 22 x 22 halves
    };
    for (const Head& h :
         {Head{"snakehead1.bmp", 0, 0, 0, 22}, Head{"snakehead2.bmp", 0, 0, 22, 0},
          Head{"snakehead3.bmp", 22, 0, 0, 0}, Head{"snakehead4.bmp", 0, 22, 0, 0}}) {
        std::unique_ptr<Bitmap> b(Bitmap::Load((std::string("\\") + h.name).c_str()));
        ASSERT_NE(b, nullptr) << h.name;
        b->SetColorKeyFromCorner();
        const int head = OpaqueIn(*b, h.headX, h.headY, h.headX + 22, h.headY + 22);
        const int tongue = OpaqueIn(*b, h.tongueX, h.tongueY, h.tongueX + 22, h.tongueY + 22);
        EXPECT_GT(head, 22 * 22 / 2) << h.name;
        EXPECT_GT(tongue, 5) << h.name;
        EXPECT_LT(tongue, head / 4) << h.name;
    }
}

TEST_F(BossPictures, BroomQuarterTurnsHoldTheirPivotCorner) {
    // broom0 is drawn by its top-left corner, 1 bottom-left, 2 bottom-right, 3 top-right.
    const int pivots[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    for (int q = 0; q < 4; ++q) {
        std::unique_ptr<Bitmap> b(Bitmap::Load(("\\broom" + std::to_string(q) + ".bmp").c_str()));
        ASSERT_NE(b, nullptr);
        b->SetColorKey(255, 0, 0);
        const int w = b->width, h = b->height;
        const int px = pivots[q][0] * (w - 6), py = pivots[q][1] * (h - 6);
        EXPECT_GT(OpaqueIn(*b, px, py, px + 6, py + 6), 4) << q;
        // The far corner holds the straw: many more pixels.
        const int fx = (w - 10) - pivots[q][0] * (w - 10), fy = (h - 10) - pivots[q][1] * (h - 10);
        EXPECT_GT(OpaqueIn(*b, fx, fy, fx + 10, fy + 10), 30) << q;
    }
}

TEST(BossPictureGenerator, WritesTheSameFilesAsTheBuildOnEveryRun) {
    const std::string dir = test::MakeTempDir();
    assetgen::GenContext ctx;
    ctx.outDir = dir;
    ASSERT_TRUE(assetgen::GenerateBossPictures(ctx));
    for (const BossPicture& p : Catalogue()) {
        const auto fresh = test::ReadBytes(dir + "/" + p.name);
        EXPECT_FALSE(fresh.empty()) << p.name;
        EXPECT_EQ(fresh, test::ReadBytes(test::BuildDataDir() + "/" + p.name)) << p.name;
    }
    std::system(("rm -rf " + dir).c_str());
}

}  // namespace
