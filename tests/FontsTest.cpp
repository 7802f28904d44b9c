#include <gtest/gtest.h>

#include <cstdio>

#include "gfx/BigFont.h"
#include "gfx/ScoreCounter.h"
#include "gfx/SmallFont.h"
#include "tests/TestSupport.h"
#include "tools/assetgen/BmpWriter.h"

namespace {

// Glyph files of one pixel each whose colour (green and blue) names the glyph, so the frame shows
// where each character was drawn. Red is the key.
class FontsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseDisplay565();
        const std::string dir = test::MakeTempDir();
        test::UseDataDir(dir);
        for (int i = 0; i < 36; ++i) {
            char name[64];
            const uint8_t rgb[3] = {0, static_cast<uint8_t>(8 * (i % 30 + 1)),
                                    static_cast<uint8_t>(8 * (i / 30 + 1))};
            for (const char* suffix : {"big", "small"}) {
                if (i < 26)
                    std::snprintf(name, sizeof name, "%s/%c%s.bmp", dir.c_str(), 'a' + i, suffix);
                else
                    std::snprintf(name, sizeof name, "%s/%d%s.bmp", dir.c_str(), i - 26, suffix);
                assetgen::WriteBmp24(name, 1, 1, rgb);
            }
        }
        BigFont::Load();
        SmallFont::Load();
    }
    static int GlyphAt(const test::Frame& f, int x, int y) {
        const uint16_t v = f.Pixel(x, y);
        return v == 0 ? -1 : ((v & 31) - 1) * 30 + ((v >> 6) & 31) - 1;
    }
};

TEST_F(FontsTest, ScoreIsRightAlignedAndSaturates) {
    ScoreCounter score(220, 0);
    score.Set(450);
    test::Frame f;
    score.Draw(f.Buffer());
    EXPECT_EQ(GlyphAt(f, 219, 0), 26 + 0);
    EXPECT_EQ(GlyphAt(f, 205, 0), 26 + 5);
    EXPECT_EQ(GlyphAt(f, 191, 0), 26 + 4);
    EXPECT_EQ(GlyphAt(f, 177, 0), -1);
    score.Set(0);
    test::Frame zero;
    score.Draw(zero.Buffer());
    EXPECT_EQ(GlyphAt(zero, 219, 0), 26 + 0);
    EXPECT_EQ(GlyphAt(zero, 205, 0), -1);
    score.Set(2147483000);
    score.Add(1000000);
    EXPECT_EQ(score.Get(), 2147483647);
}

}  // namespace
