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

TEST_F(FontsTest, BigTextTakesTwentyPixelsPerCharacter) {
    test::Frame f;
    BigFont::DrawText(f.Buffer(), 10, 20, "ROUND 3");
    EXPECT_EQ(GlyphAt(f, 10, 20), 'R' - 'A');
    EXPECT_EQ(GlyphAt(f, 90, 20), 'D' - 'A');
    EXPECT_EQ(GlyphAt(f, 110, 20), -1);  // the space's cell
    EXPECT_EQ(GlyphAt(f, 130, 20), 26 + 3);
}

TEST_F(FontsTest, SmallDigitsSitOnePixelLeftAndLowerCaseDrawsNothing) {
    test::Frame f;
    SmallFont::DrawText(f.Buffer(), 18, 85, "1");
    EXPECT_EQ(GlyphAt(f, 17, 85), 26 + 1);
    SmallFont::DrawText(f.Buffer(), 18, 100, "A");
    EXPECT_EQ(GlyphAt(f, 18, 100), 0);
    SmallFont::DrawText(f.Buffer(), 50, 50, "ab.-");
    BigFont::DrawText(f.Buffer(), 50, 60, "ab");
    for (int x = 40; x < 120; ++x) {
        EXPECT_EQ(GlyphAt(f, x, 50), -1);
        EXPECT_EQ(GlyphAt(f, x, 60), -1);
    }
}

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
