#include <gtest/gtest.h>

#include "tools/assetgen/BmpWriter.h"

namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(BmpWriter, TwentyFourBitRowsArePaddedAndStoredBottomUp) {
    // 3 x 2: rows of 9 bytes padded to 12.
    const uint8_t rgb[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    const auto bmp = assetgen::EncodeBmp24(3, 2, rgb);
    ASSERT_EQ(bmp.size(), 14u + 40u + 24u);
    EXPECT_EQ(Read32(bmp, 18), 3u);
    EXPECT_EQ(Read32(bmp, 22), 2u);
    EXPECT_EQ(bmp[28], 24);
    // First stored row is the bottom row (10,11,12 ...), written B G R.
    EXPECT_EQ(bmp[54], 12);
    EXPECT_EQ(bmp[55], 11);
    EXPECT_EQ(bmp[56], 10);
    EXPECT_EQ(bmp[54 + 12], 3);
}

TEST(BmpWriter, EightBitWritesPaletteCountAndEntries) {
    const uint8_t idx[] = {0, 1, 1, 0};
    const std::vector<assetgen::Rgb> pal = {{255, 0, 0}, {0, 0, 255}};
    const auto bmp = assetgen::EncodeBmp8(2, 2, idx, pal);
    EXPECT_EQ(Read32(bmp, 14 + 32), 2u);
    EXPECT_EQ(bmp[54], 0);  // blue of entry 0
    EXPECT_EQ(bmp[56], 255);
    EXPECT_EQ(bmp[58], 255);  // blue of entry 1
    EXPECT_EQ(bmp.size(), 14u + 40u + 8u + 8u);
}

}  // namespace
