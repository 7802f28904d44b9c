// Every picture the build generates, the bosses' too, read the way the game reads it: present,
// of the size its place on screen allows, and never hiding an opaque pixel in its colour key.
#include <dirent.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "gfx/Bitmap.h"
#include "tests/TestSupport.h"
#include "tools/assetgen/BmpReader.h"
#include "tools/assetgen/KeySafety.h"
#include "tools/assetgen/PageLayout.h"
#include "tools/assetgen/PictureCanvas.h"

namespace {

enum class Key { None, Black, Red, White, Corner };  // Corner: the top-left pixel's colour
enum class Fit { Exact, UpTo, About };

struct Expected {
    std::string name;
    Key key;
    int width, height;
    Fit fit;
};

std::string Numbered(const std::string& stem, int n, const std::string& tail = ".bmp") {
    return stem + std::to_string(n) + tail;
}

void AddRange(std::vector<Expected>& out, const std::string& stem, int first, int last, Key key,
              int w, int h, Fit fit) {
    for (int n = first; n <= last; ++n)
        out.push_back({Numbered(stem, n), key, w, h, fit});
}

// The list of files, keys and rooms, written down from the art brief.
std::vector<Expected> Catalogue() {
    std::vector<Expected> c;
    AddRange(c, "ball", 0, 8, Key::Black, 22, 22, Fit::Exact);
    AddRange(c, "pattern", 0, 11, Key::None, 60, 54, Fit::Exact);
    c.push_back({"board.bmp", Key::Red, 240, 320, Fit::Exact});
    AddRange(c, "stone", 0, 10, Key::None, 176, 19, Fit::Exact);
    c.push_back({"line.bmp", Key::None, 176, 3, Fit::UpTo});
    AddRange(c, "warnt", 0, 4, Key::Red, 176, 16, Fit::UpTo);
    AddRange(c, "gear", 0, 2, Key::Black, 44, 44, Fit::Exact);
    AddRange(c, "sgear", 0, 2, Key::Red, 16, 16, Fit::About);
    AddRange(c, "dog", 0, 2, Key::Red, 28, 32, Fit::About);
    for (int a = 90; a >= 10; a -= 4)
        c.push_back({Numbered("p", a), Key::Black, 88, 88, Fit::Exact});
    c.push_back({"bridge.bmp", Key::Black, 30, 30, Fit::UpTo});
    c.push_back({"mask.bmp", Key::Red, 16, 16, Fit::Exact});
    c.push_back({"exit.bmp", Key::White, 40, 16, Fit::UpTo});
    c.push_back({"victory.bmp", Key::None, 240, 320, Fit::Exact});
    for (char l = 'a'; l <= 'z'; ++l) {
        c.push_back({std::string(1, l) + "big.bmp", Key::Red, 20, 24, Fit::UpTo});
        c.push_back({std::string(1, l) + "small.bmp", Key::Red, 14, 21, Fit::UpTo});
    }
    for (int d = 0; d <= 9; ++d) {
        c.push_back({Numbered("", d, "big.bmp"), Key::Red, 20, 24, Fit::UpTo});
        c.push_back({Numbered("", d, "small.bmp"), Key::Red, 14, 21, Fit::UpTo});
    }
    for (int colour = 1; colour <= 8; ++colour) {
        for (int frame = 0; frame <= 2; ++frame) {
            c.push_back(
                {"breakball" + std::to_string(colour) + "-" + std::to_string(frame) + ".bmp",
                 Key::Black, 28, 28, Fit::About});
        }
    }
    AddRange(c, "fish", 0, 7, Key::Black, 16, 12, Fit::About);
    AddRange(c, "bonus", 0, 5, Key::Black, 80, 24, Fit::UpTo);
    AddRange(c, "bad", 0, 5, Key::Red, 30, 48, Fit::UpTo);
    AddRange(c, "badwin", 0, 2, Key::Red, 30, 48, Fit::UpTo);
    AddRange(c, "badlose", 0, 2, Key::Red, 30, 48, Fit::UpTo);
    AddRange(c, "badflag", 0, 1, Key::Red, 52, 78, Fit::UpTo);
    AddRange(c, "bigfish", 0, 2, Key::Red, 28, 36, Fit::About);
    for (const char* page : {"welcome.bmp", "option.bmp", "gameover.bmp", "hiscore.bmp"}) {
        c.push_back({page, Key::None, 240, 320, Fit::Exact});
    }
    c.push_back({"rect.bmp", Key::Red, 8, 24, Fit::About});
    for (const char* arrow : {"arrowl0.bmp", "arrowl1.bmp", "arrowr0.bmp", "arrowr1.bmp"}) {
        c.push_back({arrow, Key::None, 17, 29, Fit::Exact});
    }
    c.push_back({"hy.bmp", Key::None, 14, 3, Fit::Exact});
    // The bosses', sized for their hit squares.
    c.push_back({"life.bmp", Key::None, 8, 8, Fit::Exact});
    AddRange(c, "el", 0, 2, Key::Black, 16, 16, Fit::About);
    AddRange(c, "insect", 0, 3, Key::Corner, 52, 52, Fit::About);
    AddRange(c, "insect0", 0, 3, Key::Corner, 52, 52, Fit::About);
    c.push_back({"insecthitted.bmp", Key::Corner, 52, 52, Fit::About});
    c.push_back({"crab.bmp", Key::Corner, 64, 56, Fit::About});
    const std::pair<const char*, int> crabs[] = {
        {"crab", 3}, {"crab0", 3}, {"crabthrow", 4}, {"crabhitted", 2}};
    for (const auto& [stem, last] : crabs)
        AddRange(c, stem, 1, last, Key::Corner, 64, 56, Fit::About);
    c.push_back({"crableg.bmp", Key::Corner, 20, 12, Fit::About});
    for (int n = 1; n <= 4; ++n)
        c.push_back({Numbered("snakehead", n), Key::Corner, n % 3 == 1 ? 22 : 44,
                     n % 3 == 1 ? 44 : 22, Fit::Exact});
    AddRange(c, "snakebody", 1, 3, Key::Corner, 22, 22, Fit::Exact);
    for (const char* w : {"wizard.bmp", "wizard1.bmp", "wizardweapon.bmp", "wizardhitted.bmp"})
        c.push_back({w, Key::Red, 50, 60, Fit::About});
    AddRange(c, "broom", 0, 3, Key::Red, 30, 30, Fit::About);
    for (const char* b : {"wizardball.bmp", "wizardball1.bmp", "wizardball2.bmp"})
        c.push_back({b, Key::Black, 12, 12, Fit::About});
    return c;
}

void SetKey(Bitmap& b, Key key) {
    if (key == Key::Black) b.SetColorKey(0, 0, 0);
    if (key == Key::Red) b.SetColorKey(255, 0, 0);
    if (key == Key::White) b.SetColorKey(255, 255, 255);
    if (key == Key::Corner) b.SetColorKeyFromCorner();
}

assetgen::Rgb KeyRgb(Key key) {
    if (key == Key::Red) return {255, 0, 0};
    if (key == Key::White) return {255, 255, 255};
    return {0, 0, 0};
}

std::string DataPath(const std::string& name) {
    return test::BuildDataDir() + "/" + name;
}

Bitmap* LoadPicture(const std::string& name) {
    return Bitmap::Load(("\\" + name).c_str());
}

assetgen::RgbImage ReadRaw(const std::string& name) {
    assetgen::RgbImage image;
    EXPECT_TRUE(assetgen::ReadBmp(DataPath(name), image)) << name;
    return image;
}

const uint8_t* At(const assetgen::RgbImage& image, int x, int y) {
    return &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
}

bool IsKey(const assetgen::RgbImage& image, int x, int y, Key key) {
    const uint8_t* p = At(image, x, y);
    const assetgen::Rgb rgb{p[0], p[1], p[2]};
    if (key == Key::Corner) return rgb == assetgen::Rgb{image.rgb[0], image.rgb[1], image.rgb[2]};
    return key != Key::None && rgb == KeyRgb(key);
}

double Luminance(const uint8_t* p) {
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

class GeneratedPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseDisplay565();
        test::UseDataDir(test::BuildDataDir());
    }
};

TEST_F(GeneratedPictures, EveryPictureLoadsWithinItsRoom) {
    const std::vector<Expected> all = Catalogue();
    EXPECT_EQ(all.size(), 255u);
    for (const Expected& e : all) {
        Bitmap* b = LoadPicture(e.name);
        ASSERT_NE(b, nullptr) << e.name;
        if (e.fit == Fit::Exact) {
            EXPECT_EQ(b->width, e.width) << e.name;
            EXPECT_EQ(b->height, e.height) << e.name;
        } else {
            // "Up to" is a hard limit; "about" is the size give or take a quarter.
            const double slack = e.fit == Fit::About ? 1.25 : 1.0;
            EXPECT_LE(b->width, e.width * slack) << e.name;
            EXPECT_LE(b->height, e.height * slack) << e.name;
            if (e.fit == Fit::About) {
                EXPECT_GE(b->width, e.width * 0.75) << e.name;
                EXPECT_GE(b->height, e.height * 0.75) << e.name;
            }
        }
        delete b;
    }
}

TEST_F(GeneratedPictures, NoOpaquePixelPacksToItsKeyInEitherLayout) {
    for (const Expected& e : Catalogue()) {
        if (e.key == Key::None) continue;
        const assetgen::RgbImage raw = ReadRaw(e.name);
        for (int layout = 0; layout < 2; ++layout) {
            if (layout == 0) test::UseDisplay565();
            if (layout == 1) test::UseDisplay555();
            Bitmap* b = LoadPicture(e.name);
            ASSERT_NE(b, nullptr) << e.name;
            SetKey(*b, e.key);
            int seeThrough = 0, hidden = 0;
            for (int y = 0; y < b->height; ++y) {
                for (int x = 0; x < b->width; ++x) {
                    const bool meantClear = IsKey(raw, x, y, e.key);
                    seeThrough += meantClear;
                    hidden += !meantClear && b->Pixel16(x, y) == b->key16;
                }
            }
            EXPECT_EQ(hidden, 0) << e.name << " layout " << layout;
            EXPECT_GT(seeThrough, 0) << e.name << " has a key but no see-through pixel";
            delete b;
        }
    }
}

TEST_F(GeneratedPictures, FontsArePalettisedAndTheRestTrueColour) {
    for (const Expected& e : Catalogue()) {
        const std::vector<uint8_t> bytes = test::ReadBytes(DataPath(e.name));
        ASSERT_GT(bytes.size(), 30u) << e.name;
        const bool font = e.name.find("big.bmp") != std::string::npos ||
                          e.name.find("small.bmp") != std::string::npos;
        EXPECT_EQ(bytes[28], font ? 8 : 24) << e.name;
        // Both read paths give the game the colours the generator meant.
        const assetgen::RgbImage raw = ReadRaw(e.name);
        Bitmap* b = LoadPicture(e.name);
        ASSERT_NE(b, nullptr) << e.name;
        int differ = 0;
        for (int y = 0; y < b->height; ++y) {
            for (int x = 0; x < b->width; ++x) {
                const uint8_t* p = At(raw, x, y);
                differ += b->Pixel16(x, y) != assetgen::Pack565({p[0], p[1], p[2]});
            }
        }
        EXPECT_EQ(differ, 0) << e.name;
        delete b;
    }
}

// Pen pixels of a glyph: bright, as opposed to its dark outline and the key.
std::vector<bool> PenMask(const assetgen::RgbImage& glyph) {
    std::vector<bool> pen;
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            pen.push_back(!IsKey(glyph, x, y, Key::Red) && Luminance(At(glyph, x, y)) > 110);
        }
    }
    return pen;
}

// Share of pen pixels covered by some fully-pen square of side n: thin strokes score low.
double ThickShare(const std::vector<bool>& pen, int w, int h, int n) {
    std::vector<bool> covered(pen.size(), false);
    int total = 0, kept = 0;
    for (int y = 0; y + n <= h; ++y) {
        for (int x = 0; x + n <= w; ++x) {
            bool full = true;
            for (int dy = 0; dy < n && full; ++dy) {
                for (int dx = 0; dx < n && full; ++dx)
                    full = pen[(y + dy) * w + x + dx];
            }
            if (!full) continue;
            for (int dy = 0; dy < n; ++dy) {
                for (int dx = 0; dx < n; ++dx)
                    covered[(y + dy) * w + x + dx] = true;
            }
        }
    }
    for (size_t i = 0; i < pen.size(); ++i) {
        total += pen[i];
        kept += pen[i] && covered[i];
    }
    return total ? double(kept) / total : 0;
}

TEST_F(GeneratedPictures, GlyphsAreOutlinedWithStrokesOfTheRightWeight) {
    const std::string glyphs = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (const char* size : {"big", "small"}) {
        const int pen = std::string(size) == "big" ? 3 : 2;
        for (char g : glyphs) {
            const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(g)));
            const std::string name = std::string(1, lower) + size + ".bmp";
            const assetgen::RgbImage glyph = ReadRaw(name);
            const std::vector<bool> mask = PenMask(glyph);
            int penPixels = 0, touchingKey = 0;
            for (int y = 0; y < glyph.height; ++y) {
                for (int x = 0; x < glyph.width; ++x) {
                    if (!mask[y * glyph.width + x]) continue;
                    ++penPixels;
                    const int nx[4] = {x - 1, x + 1, x, x}, ny[4] = {y, y, y - 1, y + 1};
                    for (int i = 0; i < 4; ++i) {
                        const bool inside =
                            nx[i] >= 0 && ny[i] >= 0 && nx[i] < glyph.width && ny[i] < glyph.height;
                        touchingKey += inside && IsKey(glyph, nx[i], ny[i], Key::Red);
                    }
                }
            }
            EXPECT_GE(penPixels, 25) << name;
            // The dark outline runs all round the pen, so it reads over any background.
            EXPECT_LE(touchingKey, 2) << name;
            EXPECT_GE(ThickShare(mask, glyph.width, glyph.height, pen), 0.8) << name;
        }
    }
}

TEST_F(GeneratedPictures, BackgroundTilesJoinWithoutSeams) {
    for (int i = 0; i < 12; ++i) {
        const assetgen::RgbImage tile = ReadRaw(Numbered("pattern", i));
        auto step = [&](int x0, int y0, int x1, int y1) {
            double sum = 0;
            for (int c = 0; c < 3; ++c)
                sum += std::abs(At(tile, x0, y0)[c] - At(tile, x1, y1)[c]);
            return sum;
        };
        // Mean colour step across the two seams against the mean step anywhere inside.
        double inside = 0, seam = 0;
        int insideSteps = 0, seamSteps = 0;
        for (int y = 0; y < tile.height; ++y) {
            for (int x = 0; x < tile.width; ++x) {
                const bool lastColumn = x == tile.width - 1, lastRow = y == tile.height - 1;
                const double across = step(x, y, (x + 1) % tile.width, y);
                const double down = step(x, y, x, (y + 1) % tile.height);
                (lastColumn ? seam : inside) += across;
                (lastColumn ? seamSteps : insideSteps) += 1;
                (lastRow ? seam : inside) += down;
                (lastRow ? seamSteps : insideSteps) += 1;
            }
        }
        seam /= seamSteps;
        inside /= insideSteps;
        EXPECT_LE(seam, inside * 1.5 + 1) << i;
    }
}

TEST_F(GeneratedPictures, SparksWorkWithTheBlackKeyAndTheCornerKeyAlike) {
    for (int i = 0; i < 3; ++i) {
        Bitmap* byBlack = LoadPicture(Numbered("el", i));
        Bitmap* byCorner = LoadPicture(Numbered("el", i));
        ASSERT_TRUE(byBlack && byCorner);
        byBlack->SetColorKey(0, 0, 0);
        byCorner->SetColorKeyFromCorner();
        EXPECT_EQ(byBlack->key16, byCorner->key16) << i;
        delete byBlack;
        delete byCorner;
    }
}

TEST(PictureGenerator, OutputIsTheSameOnEveryRunAndTheSheetIsWritten) {
    const std::string first = test::MakeTempDir(), second = test::MakeTempDir();
    const std::string sheet = first + "/sheet.png";
    const std::string run = std::string(TARN_ASSETGEN) + " --only pictures --out ";
    ASSERT_EQ(std::system((run + first + " --sheet " + sheet + " >/dev/null").c_str()), 0);
    ASSERT_EQ(std::system((run + second + " >/dev/null").c_str()), 0);
    int compared = 0;
    DIR* dir = opendir(first.c_str());
    ASSERT_NE(dir, nullptr);
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || name == "sheet.png") continue;
        EXPECT_EQ(test::ReadBytes(first + "/" + name), test::ReadBytes(second + "/" + name))
            << name;
        ++compared;
    }
    closedir(dir);
    EXPECT_GE(compared, static_cast<int>(Catalogue().size()));
    for (const char* icon : {"icon256.png", "icon48.png", "icon.bmp"}) {
        EXPECT_FALSE(test::ReadBytes(first + "/" + icon).empty()) << icon;
    }
    const std::vector<uint8_t> png = test::ReadBytes(sheet);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(png[2], 'N');
    EXPECT_EQ(png[3], 'G');
    std::system(("rm -rf " + first + " " + second).c_str());
}

}  // namespace
