// The bosses' pictures as the bosses read them: keyed by colour or by their own top-left
// pixel, sized for their hit squares, and oriented the way the boss code places them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gfx/Bitmap.h"
#include "tests/TestSupport.h"
#include "tools/assetgen/BmpReader.h"

namespace {

enum class Key { None, Black, Red, Corner };

struct BossPicture {
    std::string name;
    Key key;
    int width, height;
    bool exact;
};

void AddNumbered(std::vector<BossPicture>& out, const std::string& stem, int first, int last,
                 Key key, int w, int h, bool exact) {
    for (int n = first; n <= last; ++n)
        out.push_back({stem + std::to_string(n) + ".bmp", key, w, h, exact});
}

std::vector<BossPicture> BossCatalogue() {
    std::vector<BossPicture> c;
    c.push_back({"life.bmp", Key::None, 8, 8, true});
    AddNumbered(c, "el", 0, 2, Key::Black, 16, 16, false);
    AddNumbered(c, "insect", 0, 3, Key::Corner, 52, 52, false);
    AddNumbered(c, "insect0", 0, 3, Key::Corner, 52, 52, false);
    c.push_back({"insecthitted.bmp", Key::Corner, 52, 52, false});
    c.push_back({"crab.bmp", Key::Corner, 64, 56, false});
    AddNumbered(c, "crab", 1, 3, Key::Corner, 64, 56, false);
    AddNumbered(c, "crab0", 1, 3, Key::Corner, 64, 56, false);
    AddNumbered(c, "crabthrow", 1, 4, Key::Corner, 64, 56, false);
    AddNumbered(c, "crabhitted", 1, 2, Key::Corner, 64, 56, false);
    c.push_back({"crableg.bmp", Key::Corner, 20, 12, false});
    c.push_back({"snakehead1.bmp", Key::Corner, 22, 44, true});
    c.push_back({"snakehead2.bmp", Key::Corner, 44, 22, true});
    c.push_back({"snakehead3.bmp", Key::Corner, 44, 22, true});
    c.push_back({"snakehead4.bmp", Key::Corner, 22, 44, true});
    AddNumbered(c, "snakebody", 1, 3, Key::Corner, 22, 22, true);
    for (const char* w : {"wizard.bmp", "wizard1.bmp", "wizardweapon.bmp", "wizardhitted.bmp"}) {
        c.push_back({w, Key::Red, 50, 60, false});
    }
    AddNumbered(c, "broom", 0, 3, Key::Red, 30, 30, false);
    for (const char* b : {"wizardball.bmp", "wizardball1.bmp", "wizardball2.bmp"}) {
        c.push_back({b, Key::Black, 12, 12, false});
    }
    return c;
}

assetgen::RgbImage ReadRaw(const std::string& name) {
    assetgen::RgbImage image;
    EXPECT_TRUE(assetgen::ReadBmp(test::BuildDataDir() + "/" + name, image)) << name;
    return image;
}

// Pixels the picture means to be see-through, from the file's own colours.
bool MeantClear(const assetgen::RgbImage& raw, int x, int y, Key key) {
    const uint8_t* p = &raw.rgb[(static_cast<size_t>(y) * raw.width + x) * 3];
    const uint8_t* corner = &raw.rgb[0];
    if (key == Key::Black) return p[0] == 0 && p[1] == 0 && p[2] == 0;
    if (key == Key::Red) return p[0] == 255 && p[1] == 0 && p[2] == 0;
    if (key == Key::Corner) return p[0] == corner[0] && p[1] == corner[1] && p[2] == corner[2];
    return false;
}

class BossPictures : public ::testing::Test {
  protected:
    void SetUp() override { test::UseDataDir(test::BuildDataDir()); }
};

TEST_F(BossPictures, EveryPictureLoadsAtItsSizeAndNoOpaquePixelHidesInTheKey) {
    for (const BossPicture& e : BossCatalogue()) {
        const assetgen::RgbImage raw = ReadRaw(e.name);
        for (int layout = 0; layout < 2; ++layout) {
            if (layout == 0) test::UseDisplay565();
            if (layout == 1) test::UseDisplay555();
            Bitmap* b = Bitmap::Load(("\\" + e.name).c_str());
            ASSERT_NE(b, nullptr) << e.name;
            if (e.exact) {
                EXPECT_EQ(b->width, e.width) << e.name;
                EXPECT_EQ(b->height, e.height) << e.name;
            } else {
                EXPECT_LE(std::abs(b->width - e.width), e.width / 4) << e.name;
                EXPECT_LE(std::abs(b->height - e.height), e.height / 4) << e.name;
            }
            if (e.key == Key::Black) b->SetColorKey(0, 0, 0);
            if (e.key == Key::Red) b->SetColorKey(255, 0, 0);
            if (e.key == Key::Corner) b->SetColorKeyFromCorner();
            int hidden = 0, clear = 0;
            for (int y = 0; y < b->height && e.key != Key::None; ++y) {
                for (int x = 0; x < b->width; ++x) {
                    const bool meant = MeantClear(raw, x, y, e.key);
                    clear += meant;
                    hidden += !meant && b->Pixel16(x, y) == b->key16;
                }
            }
            EXPECT_EQ(hidden, 0) << e.name << " layout " << layout;
            EXPECT_TRUE(e.key == Key::None || clear > 0) << e.name;
            delete b;
        }
    }
}

TEST_F(BossPictures, SparksWorkWithTheBlackKeyAndTheCornerKeyAlike) {
    test::UseDisplay565();
    for (int i = 0; i < 3; ++i) {
        const std::string name = "\\el" + std::to_string(i) + ".bmp";
        Bitmap* byBlack = Bitmap::Load(name.c_str());
        Bitmap* byCorner = Bitmap::Load(name.c_str());
        ASSERT_NE(byBlack, nullptr);
        ASSERT_NE(byCorner, nullptr);
        byBlack->SetColorKey(0, 0, 0);
        byCorner->SetColorKeyFromCorner();
        EXPECT_EQ(byBlack->key16, byCorner->key16) << name;
        delete byBlack;
        delete byCorner;
    }
}

}  // namespace
