// The picture generator's own machinery: snapping to the key, palettes, reading bitmaps back,
// the aim arrows' mirror property and where the page labels land.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tools/assetgen/AimArrow.h"
#include "tools/assetgen/BmpReader.h"
#include "tools/assetgen/BmpWriter.h"
#include "tools/assetgen/KeySafety.h"
#include "tools/assetgen/PageLayout.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/StrokeFont.h"

using assetgen::PictureCanvas;
using assetgen::PictureKey;
using assetgen::Rgb;

namespace {

const PictureKey kKeys[] = {PictureKey::Black, PictureKey::Red, PictureKey::White,
                            PictureKey::Corner};

uint32_t Premultiplied(int a, int r, int g, int b) {
    return static_cast<uint32_t>(a) << 24 | (r * a / 255) << 16 | (g * a / 255) << 8 |
           (b * a / 255);
}

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;  // inclusive ink extent
    bool Empty() const { return right < 0; }
};

Box InkBox(const PictureCanvas& canvas) {
    const std::vector<uint8_t> rgb = canvas.SnappedRgb();
    const Rgb key = assetgen::KeyColour(canvas.Key());
    Box box;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * canvas.Width() + x) * 3];
            if (Rgb{p[0], p[1], p[2]} == key) continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

TEST(PictureSnap, HalfCoveredPixelsKeepTheirOwnColourAndLessBecomesKey) {
    for (PictureKey key : kKeys) {
        const Rgb keyColour = assetgen::KeyColour(key);
        EXPECT_EQ(assetgen::SnapPixel(Premultiplied(127, 40, 200, 90), key), keyColour);
        EXPECT_EQ(assetgen::SnapPixel(0, key), keyColour);
        const Rgb half = assetgen::SnapPixel(Premultiplied(128, 40, 200, 90), key);
        EXPECT_NEAR(half.r, 40, 2);
        EXPECT_NEAR(half.g, 200, 2);
        EXPECT_NEAR(half.b, 90, 2);
        EXPECT_EQ(assetgen::SnapPixel(Premultiplied(255, 40, 200, 90), key), (Rgb{40, 200, 90}));
    }
}

TEST(PictureSnap, AnAntiAliasedEdgeHasNoColourBlendedWithTheKey) {
    // A disc of one colour: every pixel is either that colour or the key, never a mixture.
    PictureCanvas canvas(20, 20, PictureKey::Red);
    cairo_arc(canvas.Cairo(), 10.3, 9.7, 6.4, 0, 6.3);
    cairo_set_source_rgb(canvas.Cairo(), 40 / 255.0, 200 / 255.0, 90 / 255.0);
    cairo_fill(canvas.Cairo());
    const std::vector<uint8_t> rgb = canvas.SnappedRgb();
    int opaque = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        const Rgb c{rgb[i], rgb[i + 1], rgb[i + 2]};
        if (c == Rgb{255, 0, 0}) continue;
        ++opaque;
        EXPECT_NEAR(c.r, 40, 2);
        EXPECT_NEAR(c.g, 200, 2);
        EXPECT_NEAR(c.b, 90, 2);
    }
    EXPECT_NEAR(opaque, 3.14159 * 6.4 * 6.4, 12);
}

TEST(PictureSnap, NoColourIsLeftOnItsKeyInEitherSixteenBitLayout) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> low(0, 7);
    for (PictureKey key : kKeys) {
        const Rgb keyColour = assetgen::KeyColour(key);
        for (int r5 = 0; r5 < 32; ++r5) {
            for (int g5 = 0; g5 < 32; ++g5) {
                for (int b5 = 0; b5 < 32; ++b5) {
                    const Rgb c{static_cast<uint8_t>(r5 << 3 | low(rng)),
                                static_cast<uint8_t>(g5 << 3 | low(rng)),
                                static_cast<uint8_t>(b5 << 3 | low(rng))};
                    const Rgb safe = assetgen::KeepClearOfKey(c, key);
                    ASSERT_NE(assetgen::Pack565(safe), assetgen::Pack565(keyColour));
                    ASSERT_NE(assetgen::Pack555(safe), assetgen::Pack555(keyColour));
                    if (!assetgen::PacksToKey(c, key)) {
                        ASSERT_EQ(safe, c);
                    }
                }
            }
        }
    }
    // The darkest ink of the pictures is the stand-in for black.
    EXPECT_EQ(assetgen::KeepClearOfKey({3, 5, 7}, PictureKey::Black), (Rgb{16, 16, 24}));
}

TEST(PicturePalette, KeyIsEntryZeroAndManyColoursAreCoarsenedClearOfTheKey) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 4096; ++i) {
        rgb.push_back(static_cast<uint8_t>(255 - (i & 7)));  // near red, would hide in the key
        rgb.push_back(static_cast<uint8_t>((i >> 4) | 1));
        rgb.push_back(static_cast<uint8_t>((i & 15) * 16));
    }
    rgb.insert(rgb.end(), {255, 0, 0});
    std::vector<uint8_t> indices;
    std::vector<Rgb> palette;
    assetgen::Palettise(rgb, PictureKey::Red, indices, palette);
    ASSERT_LE(palette.size(), 256u);
    EXPECT_EQ(palette[0], (Rgb{255, 0, 0}));
    EXPECT_EQ(indices.back(), 0);
    for (size_t p = 0; p + 1 < indices.size(); ++p) {
        ASSERT_NE(indices[p], 0) << p;
        ASSERT_FALSE(assetgen::PacksToKey(palette[indices[p]], PictureKey::Red));
    }
}

TEST(PicturePalette, FewColoursSurviveAnEightBitRoundTripExactly) {
    PictureCanvas canvas(9, 5, PictureKey::White);
    cairo_rectangle(canvas.Cairo(), 1, 1, 4, 3);
    cairo_set_source_rgb(canvas.Cairo(), 0.2, 0.4, 0.6);
    cairo_fill(canvas.Cairo());
    std::vector<uint8_t> indices;
    std::vector<Rgb> palette;
    const std::vector<uint8_t> rgb = canvas.SnappedRgb();
    assetgen::Palettise(rgb, PictureKey::White, indices, palette);
    assetgen::RgbImage back;
    ASSERT_TRUE(assetgen::DecodeBmp(assetgen::EncodeBmp8(9, 5, indices.data(), palette), back));
    EXPECT_EQ(back.rgb, rgb);
}

TEST(PictureReader, TruncatedOrHostileBitmapsAreRefusedWithoutReadingPastTheEnd) {
    const uint8_t rgb[5 * 3 * 3] = {1, 2, 3};
    const std::vector<uint8_t> good = assetgen::EncodeBmp24(5, 3, rgb);
    assetgen::RgbImage image;
    ASSERT_TRUE(assetgen::DecodeBmp(good, image));
    for (size_t n = 0; n < good.size(); ++n) {
        EXPECT_FALSE(
            assetgen::DecodeBmp(std::vector<uint8_t>(good.begin(), good.begin() + n), image))
            << n;
    }
    std::vector<uint8_t> huge = good;
    huge[21] = 0x7F;  // width in the hundreds of millions
    EXPECT_FALSE(assetgen::DecodeBmp(huge, image));
    std::vector<uint8_t> negative = good;
    negative[25] = 0xFF;  // top-down rows
    EXPECT_FALSE(assetgen::DecodeBmp(negative, image));
    // An index past the palette reads as black instead of outside the file.
    const uint8_t indices[4] = {0, 1, 200, 0};
    std::vector<uint8_t> eight = assetgen::EncodeBmp8(2, 2, indices, {{9, 9, 9}, {7, 7, 7}});
    ASSERT_TRUE(assetgen::DecodeBmp(eight, image));
    EXPECT_EQ(image.rgb[0], 9);
    EXPECT_EQ(image.rgb[6], 0);  // index 200, bottom-left
}

TEST(StrokeFontGlyphs, CapitalsAndDigitsExistAndNothingElseDraws) {
    for (char c = 'A'; c <= 'Z'; ++c)
        EXPECT_TRUE(assetgen::StrokeFont::HasGlyph(c)) << c;
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_TRUE(assetgen::StrokeFont::HasGlyph(c)) << c;
    EXPECT_FALSE(assetgen::StrokeFont::HasGlyph('a'));
    EXPECT_FALSE(assetgen::StrokeFont::HasGlyph('!'));
    PictureCanvas canvas(40, 40, PictureKey::Red);
    assetgen::StrokeFont::DrawText(canvas.Cairo(), "a!", 5, 5, assetgen::MenuLabelStyle());
    EXPECT_TRUE(InkBox(canvas).Empty());
}

}  // namespace
