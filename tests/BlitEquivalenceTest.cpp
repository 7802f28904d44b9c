// The fast copies against the straightforward per-pixel loop, on every picture the build
// makes and on made-up ones, at clipped and anchored positions, plain and mirrored.
#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "tests/TestSupport.h"

namespace {

// The copy as first written: per pixel, clipped by testing every frame position.
void ReferenceDraw(std::vector<uint16_t>& frame, const Bitmap& b, int x, int y, int anchor,
                   bool mirrored) {
    if ((anchor & 0x0F) == kAnchorRight) x -= b.width;
    if ((anchor & 0x0F) == kAnchorHCenter) x -= b.width >> 1;
    if ((anchor & 0xF0) == kAnchorBottom) y -= b.height;
    if ((anchor & 0xF0) == kAnchorVCenter) y -= b.height >> 1;
    for (int r = 0; r < b.height; ++r) {
        for (int c = 0; c < b.width; ++c) {
            const int fx = x + c, fy = y + r;
            if (fx < 0 || fy < 0 || fx >= 240 || fy >= 320) continue;
            const int column = mirrored ? b.width - 1 - c : c;
            const uint16_t s = b.Pixel16(column, r);
            if (b.keyEnabled && s == b.key16) continue;
            frame[fy * 240 + fx] = s;
        }
    }
}

void ExpectSameAsReference(const Bitmap& b, const std::string& name) {
    const int positions[][3] = {{0, 0, 0},        {-7, -5, 0},      {230, 310, 0},
                                {120, 160, 0x22}, {240, 320, 0x11}, {-300, 10, 0}};
    for (const auto& p : positions) {
        for (bool mirrored : {false, true}) {
            test::Frame fast;
            std::vector<uint16_t> slow(240 * 320, 0);
            fast.Fill(0x0841);
            std::fill(slow.begin(), slow.end(), 0x0841);
            if (mirrored)
                fast.Buffer().DrawMirrored(&b, p[0], p[1], p[2], 1);
            else
                fast.Buffer().Draw(&b, p[0], p[1], p[2]);
            ReferenceDraw(slow, b, p[0], p[1], p[2], mirrored);
            for (int i = 0; i < 240 * 320; ++i)
                ASSERT_EQ(fast.Pixel(i % 240, i / 240), slow[i])
                    << name << " at " << p[0] << "," << p[1] << " mirrored " << mirrored;
        }
    }
}

TEST(BlitEquivalence, MadeUpPicturesKeyedAndPlain) {
    for (int w : {1, 3, 22, 241}) {
        Bitmap b;
        b.width = w;
        b.height = 5;
        b.pixels = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(w) * 5 * 2));
        for (int i = 0; i < w * 5; ++i) {
            const uint16_t v = static_cast<uint16_t>(i % 4 == 0 ? 0xF800 : 0x1000 + i);
            std::memcpy(b.pixels + i * 2, &v, 2);
        }
        ExpectSameAsReference(b, "plain " + std::to_string(w));
        b.keyEnabled = true;
        b.key16 = 0xF800;
        ExpectSameAsReference(b, "keyed " + std::to_string(w));
    }
}

TEST(BlitEquivalence, EveryPictureTheGameReads) {
    test::UseDisplay565();
    test::UseDataDir(test::BuildDataDir());
    DIR* dir = opendir(test::BuildDataDir().c_str());
    ASSERT_NE(dir, nullptr);
    int checked = 0;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() < 5 || name.substr(name.size() - 4) != ".bmp") continue;
        std::unique_ptr<Bitmap> b(Bitmap::Load(("\\" + name).c_str()));
        ASSERT_TRUE(b) << name;
        b->SetColorKeyFromCorner();
        ExpectSameAsReference(*b, name);
        ++checked;
    }
    closedir(dir);
    RecordProperty("pictures", checked);
}

}  // namespace
