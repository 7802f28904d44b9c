#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "platform/Shots.h"
#include "tests/TestSupport.h"

namespace {

// A bitmap whose pixel (x, y) holds 1 + x + 100 * y, so every drawn pixel names its source.
Bitmap* Numbered(int w, int h) {
    auto* b = new Bitmap;
    b->width = w;
    b->height = h;
    b->pixels = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(w) * h * 2));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint16_t v = static_cast<uint16_t>(1 + x + 100 * y);
            std::memcpy(b->pixels + (y * w + x) * 2, &v, 2);
        }
    return b;
}

uint16_t Source(int x, int y) {
    return static_cast<uint16_t>(1 + x + 100 * y);
}

// Clipping, keys and mirroring are held against a per-pixel reference in BlitEquivalenceTest;
// what it cannot see: pictures wholly outside, no picture, and a mirror flag other than 1.
TEST(BackBuffer, DrawsNothingOutsideTheFrameWithoutAPictureOrUnmirrored) {
    test::Frame empty;
    std::unique_ptr<Bitmap> b(Numbered(22, 22));
    empty.Buffer().Draw(b.get(), 240, 0, 0);
    empty.Buffer().Draw(b.get(), 0, 320, 0);
    empty.Buffer().Draw(b.get(), -22, 0, 0);
    empty.Buffer().Draw(nullptr, 0, 0, 0);
    empty.Buffer().DrawMirrored(b.get(), 0, 0, 0, 0);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            ASSERT_EQ(empty.Pixel(x, y), 0);
}

TEST(BackBuffer, AnchorsMoveTheCorner) {
    test::Frame frame;
    std::unique_ptr<Bitmap> b(Numbered(21, 21));
    frame.Buffer().Draw(b.get(), 100, 100, kAnchorHCenter | kAnchorVCenter);
    EXPECT_EQ(frame.Pixel(90, 90), Source(0, 0));
    EXPECT_EQ(frame.Pixel(89, 90), 0);

    test::Frame corner;
    corner.Buffer().Draw(b.get(), 240, 320, kAnchorRight | kAnchorBottom);
    EXPECT_EQ(corner.Pixel(239, 319), Source(20, 20));
    EXPECT_EQ(corner.Pixel(219, 299), Source(0, 0));

    // Values other than the defined ones in a nibble mean top-left.
    test::Frame plain;
    plain.Buffer().Draw(b.get(), 10, 10, 0x33);
    EXPECT_EQ(plain.Pixel(10, 10), Source(0, 0));
}

TEST(BackBuffer, LandscapeMemoryKeepsEveryWriteInsideAndMatchesPortrait) {
    // Display memory in landscape rows: x pitch -640, y pitch 2, pixel (0,0) at the end.
    std::vector<uint16_t> memory(240 * 320 + 64, 0xBEEF);  // guard words after the block
    std::fill(memory.begin(), memory.begin() + 240 * 320, 0);
    uint8_t* block = reinterpret_cast<uint8_t*>(memory.data());
    uint8_t* origin = block + 640 * 239;
    BackBuffer landscape(origin, 240, 320, -640, 2, 2);
    test::Frame portrait;
    std::unique_ptr<Bitmap> b(Numbered(60, 70));
    for (auto* target : {&landscape, &portrait.Buffer()}) {
        target->Draw(b.get(), -10, -10, 0);
        target->Draw(b.get(), 200, 280, 0);
        target->DrawMirrored(b.get(), 100, 100, 0, 1);
    }
    for (size_t i = 240 * 320; i < memory.size(); ++i)
        ASSERT_EQ(memory[i], 0xBEEF);
    GXDisplayProperties d;
    d.cxWidth = 240;
    d.cyHeight = 320;
    d.cBPP = 16;
    d.ffFormat = kfDirect565;
    d.cbxPitch = -640;
    d.cbyPitch = 2;
    std::vector<uint8_t> a(240 * 320 * 3), p(240 * 320 * 3);
    platform::DecodeDisplay(origin, d, a.data());
    d.cbxPitch = 2;
    d.cbyPitch = 480;
    platform::DecodeDisplay(portrait.Buffer().origin, d, p.data());
    for (size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(a[i], p[i]) << "pixel " << (i / 3) % 240 << "," << (i / 3) / 240;
}

TEST(BackBuffer, UnsupportedPixelSizeDrawsNothing) {
    std::vector<uint8_t> memory(40 * 4, 0);
    BackBuffer odd(memory.data(), 10, 4, 4, 40, 4);
    std::unique_ptr<Bitmap> b(Numbered(2, 2));
    odd.Draw(b.get(), 0, 0, 0);
    for (uint8_t v : memory)
        ASSERT_EQ(v, 0);
}

}  // namespace
