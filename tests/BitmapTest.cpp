#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gfx/Bitmap.h"
#include "gfx/DataPath.h"
#include "tests/TestSupport.h"
#include "tools/assetgen/BmpWriter.h"

namespace {

using Bytes = std::vector<uint8_t>;

class BitmapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseDisplay565();
        dir_ = test::MakeTempDir();
        test::UseDataDir(dir_);
    }
    std::unique_ptr<Bitmap> LoadBytes(const Bytes& bytes) {
        test::WriteBytes(dir_ + "/t.bmp", bytes);
        return std::unique_ptr<Bitmap>(Bitmap::Load("\\t.bmp"));
    }
    static void Put32(Bytes& b, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    std::string dir_;
};

Bytes Rgb24(int w, int h, const std::vector<uint8_t>& rgb) {
    return assetgen::EncodeBmp24(w, h, rgb.data());
}

TEST_F(BitmapTest, ReadsRowsBottomUpAndPacks565And555) {
    // 3 x 2: red, white, black on top; three blue below. Rows of 9 bytes padded to 12.
    const std::vector<uint8_t> rgb = {255, 0, 0,   255, 255, 255, 0, 0, 0,
                                      0,   0, 255, 0,   0,   255, 0, 0, 255};
    auto b = LoadBytes(Rgb24(3, 2, rgb));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->width, 3);
    EXPECT_EQ(b->height, 2);
    EXPECT_EQ(b->Pixel16(0, 0), 0xF800);
    EXPECT_EQ(b->Pixel16(1, 0), 0xFFDF);  // the 6-bit green field keeps its low bit clear
    EXPECT_EQ(b->Pixel16(0, 1), 0x001F);
    b->SetColorKey(255, 255, 255);
    EXPECT_EQ(b->key16, 0xFFDF);
    EXPECT_TRUE(b->keyEnabled);

    test::UseDisplay555();
    auto c = LoadBytes(Rgb24(3, 2, rgb));
    EXPECT_EQ(c->Pixel16(0, 0), 0x7C00);
    c->SetColorKey(255, 0, 0);
    EXPECT_EQ(c->key16, 0x7C00);
}

TEST_F(BitmapTest, EightBitPaletteSizeFollowsColoursUsed) {
    const uint8_t idx[] = {0, 1, 1, 0};
    std::vector<assetgen::Rgb> pal(16);
    pal[1] = {0, 255, 0};
    auto b = LoadBytes(assetgen::EncodeBmp8(2, 2, idx, pal));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Pixel16(1, 0), PackDisplayColour(0, 255, 0));
    EXPECT_EQ(b->Pixel16(0, 0), 0);

    // Colours used 0 means a full 256-entry palette before the rows.
    std::vector<assetgen::Rgb> full(256);
    full[1] = {0, 0, 255};
    Bytes bytes = assetgen::EncodeBmp8(2, 2, idx, full);
    Put32(bytes, 14 + 32, 0);
    auto c = LoadBytes(bytes);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->Pixel16(1, 0), 0x001F);
}

TEST_F(BitmapTest, IndexBeyondThePaletteReadsEntryZero) {
    const uint8_t idx[] = {5, 0};
    const std::vector<assetgen::Rgb> pal = {{8, 16, 24}, {255, 255, 255}};
    auto b = LoadBytes(assetgen::EncodeBmp8(2, 1, idx, pal));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Pixel16(0, 0), PackDisplayColour(8, 16, 24));
}

TEST_F(BitmapTest, RefusesHostileHeaders) {
    const std::vector<uint8_t> rgb(4 * 3, 0x80);
    const Bytes good = Rgb24(2, 2, rgb);
    struct Case {
        size_t at;
        uint32_t value;
        int size;
    };
    const Case cases[] = {
        {18, 0, 4},           // zero width
        {22, 0xFFFFFFFE, 4},  // negative height (top-down rows)
        {18, 5000, 4},        // huge width
        {22, 0x7FFFFFFF, 4},  // huge height
        {28, 16, 2},          // 16 bits per pixel
        {28, 32, 2},          // 32 bits per pixel
    };
    for (const Case& c : cases) {
        Bytes bad = good;
        for (int i = 0; i < c.size; ++i)
            bad[c.at + i] = static_cast<uint8_t>(c.value >> (8 * i));
        EXPECT_FALSE(LoadBytes(bad)) << "field at " << c.at;
    }
    // More than 256 colours in an 8-bit palette.
    const uint8_t idx[] = {0};
    Bytes pal8 = assetgen::EncodeBmp8(1, 1, idx, {{1, 2, 3}});
    Put32(pal8, 14 + 32, 257);
    EXPECT_FALSE(LoadBytes(pal8));
    // Headers cut short, and a missing file.
    EXPECT_FALSE(LoadBytes(Bytes(good.begin(), good.begin() + 53)));
    EXPECT_FALSE(LoadBytes({}));
    EXPECT_EQ(Bitmap::Load("\\missing.bmp"), nullptr);
}

TEST_F(BitmapTest, ShortFileLeavesMissingPixelsBlack) {
    std::vector<uint8_t> rgb(4 * 4 * 3, 0xFF);
    Bytes bytes = Rgb24(4, 4, rgb);
    bytes.resize(54 + 12 * 2 + 5);  // two bottom rows and a bit of the third
    auto b = LoadBytes(bytes);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Pixel16(0, 3), 0xFFDF);  // bottom row, read
    EXPECT_EQ(b->Pixel16(3, 1), 0);       // third file row's tail, missing
    EXPECT_EQ(b->Pixel16(0, 0), 0);
}

TEST(DataPath, JoinsPortablyAndRefusesWhatDoesNotFit) {
    char path[kMaxDataPath];
    EXPECT_STREQ(MakeDataPath(path, "/usr/share/tarngame", "\\ball1.bmp"),
                 "/usr/share/tarngame/ball1.bmp");
    const std::string longDir(250, 'd');
    EXPECT_EQ(MakeDataPath(path, longDir.c_str(), "\\ball1.bmp"), nullptr);
    EXPECT_STREQ(path, "");
    const std::string fits(255 - 6, 'd');  // 249 + "\a.bmp" = 255 characters
    EXPECT_NE(MakeDataPath(path, fits.c_str(), "\\a.bmp"), nullptr);
    EXPECT_EQ(MakeDataPath(path, (fits + "d").c_str(), "\\a.bmp"), nullptr);
}

}  // namespace
