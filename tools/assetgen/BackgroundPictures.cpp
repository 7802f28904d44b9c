// The twelve water backgrounds, one per four rounds, from sunlit shallows down to the dark
// bottom of the tarn. Each tile repeats seamlessly: the light pattern is a sum of waves that
// fit the tile exactly, and every drifting mote is drawn again one tile over on each side.
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

constexpr int kTileWidth = 60, kTileHeight = 54, kPatterns = 12;

struct Wave {
    int kx, ky;
    double phase;
};

double Caustic(double x, double y, const Wave* waves, int count) {
    double sum = 0;
    for (int i = 0; i < count; ++i) {
        sum += std::sin(2 * M_PI * (waves[i].kx * x / kTileWidth + waves[i].ky * y / kTileHeight) +
                        waves[i].phase);
    }
    const double v = 1.0 - std::fabs(sum) / count;  // bright where the waves cancel: thin lines
    return std::pow(v, 6.0);
}

uint8_t Channel(double v) {
    return static_cast<uint8_t>(std::lround(std::fmin(1, std::fmax(0, v)) * 255));
}

void PaintWater(PictureCanvas& canvas, int index) {
    const double depth = index / double(kPatterns - 1);
    const Colour deep = Mix(FromRgb(44, 110, 168), FromRgb(7, 14, 40), std::pow(depth, 0.85));
    const Colour light = Mix(FromRgb(150, 214, 240), FromRgb(40, 90, 130), depth);
    const double lightAmount = 0.45 * (1 - depth) + 0.12;
    const Wave waves[3] = {{1, 2, 0.3 + index}, {-2, 1, 1.7 + 0.5 * index}, {1, -1, 2.9}};
    cairo_surface_t* s = canvas.Surface();
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < kTileHeight; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < kTileWidth; ++x) {
            const double shimmer =
                0.5 + 0.5 * std::sin(2 * M_PI * (2.0 * y / kTileHeight + 1.0 * x / kTileWidth));
            const double c = Caustic(x + 0.5, y + 0.5, waves, 3) * lightAmount;
            const Colour base = Mix(deep, Lighter(deep, 0.08), shimmer);
            const Colour p = Mix(base, light, c);
            row[x] = 0xFF000000u | Channel(p.r) << 16 | Channel(p.g) << 8 | Channel(p.b);
        }
    }
    cairo_surface_mark_dirty(s);
}

// Draws fn once in place and once shifted a tile in each direction, so edges join up.
template <typename Draw>
void Wrapped(cairo_t* cr, Draw draw) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            cairo_save(cr);
            cairo_translate(cr, dx * kTileWidth, dy * kTileHeight);
            draw();
            cairo_restore(cr);
        }
    }
}

void DrawMotes(cairo_t* cr, int index) {
    std::mt19937 rng(7001 + index);
    std::uniform_real_distribution<double> ux(0, kTileWidth), uy(0, kTileHeight), size(0.6, 1.6);
    const double depth = index / double(kPatterns - 1);
    const int count = 3 + index / 2;
    // Deeper water: fewer bubbles, more glowing plankton.
    const Colour mote = depth < 0.5 ? FromRgb(190, 232, 255) : FromRgb(120, 240, 210);
    for (int i = 0; i < count; ++i) {
        const double x = ux(rng), y = uy(rng), r = size(rng);
        Wrapped(cr, [&] {
            cairo_arc(cr, x, y, r + 0.7, 0, 2 * M_PI);
            SetColour(cr, mote, 0.18);
            cairo_fill(cr);
            cairo_arc(cr, x, y, r * 0.6, 0, 2 * M_PI);
            SetColour(cr, mote, depth < 0.5 ? 0.45 : 0.7);
            cairo_fill(cr);
        });
    }
}

void DrawWeed(cairo_t* cr, int index) {
    // From the second episode on, faint weed fronds sway through the tile.
    if (index < 3) return;
    std::mt19937 rng(9100 + index);
    std::uniform_real_distribution<double> ux(0, kTileWidth), bend(-6, 6);
    const double x = ux(rng), b = bend(rng);
    const Colour weed = Mix(FromRgb(40, 120, 90), FromRgb(20, 60, 70), index / 11.0);
    Wrapped(cr, [&] {
        cairo_move_to(cr, x, kTileHeight);
        cairo_curve_to(cr, x + b, kTileHeight * 0.66, x - b, kTileHeight * 0.33, x, 0);
        SetColour(cr, weed, 0.35);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
    });
}

}  // namespace

bool WriteBackgroundPictures(const std::string& outDir) {
    bool ok = true;
    for (int i = 0; i < kPatterns; ++i) {
        PictureCanvas tile(kTileWidth, kTileHeight, PictureKey::None);
        PaintWater(tile, i);
        DrawWeed(tile.Cairo(), i);
        DrawMotes(tile.Cairo(), i);
        ok = tile.WriteBmp24(PicturePath(outDir, "pattern" + std::to_string(i) + ".bmp")) && ok;
    }
    return ok;
}

}  // namespace assetgen
