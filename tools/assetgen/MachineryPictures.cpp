// The launcher: the big wheel round the launcher bubble, the small gear meshing with it, and
// the aim arrow.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "tools/assetgen/AimArrow.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

double Radians(double degrees) {
    return degrees * M_PI / 180.0;
}

void AddGearOutline(cairo_t* cr, double cx, double cy, int teeth, double root, double tip,
                    double turnDegrees) {
    const double step = 2 * M_PI / teeth;
    const double turn = Radians(turnDegrees);
    for (int i = 0; i < teeth; ++i) {
        const double a = turn + i * step;
        const double pts[4][2] = {{root, a - step * 0.32},
                                  {tip, a - step * 0.17},
                                  {tip, a + step * 0.17},
                                  {root, a + step * 0.32}};
        for (int k = 0; k < 4; ++k) {
            const double x = cx + pts[k][0] * std::cos(pts[k][1]);
            const double y = cy + pts[k][0] * std::sin(pts[k][1]);
            if (i == 0 && k == 0) {
                cairo_move_to(cr, x, y);
            } else {
                cairo_line_to(cr, x, y);
            }
        }
        cairo_arc(cr, cx, cy, root, a + step * 0.32, a + step * 0.68);
    }
    cairo_close_path(cr);
}

void DrawGear(cairo_t* cr, double cx, double cy, int teeth, double root, double tip, double hole,
              double turnDegrees, Colour light, Colour dark) {
    AddGearOutline(cr, cx, cy, teeth, root, tip, turnDegrees);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, hole, 2 * M_PI, 0);
    cairo_pattern_t* metal = cairo_pattern_create_linear(cx - tip, cy - tip, cx + tip, cy + tip);
    cairo_pattern_add_color_stop_rgb(metal, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(metal, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, metal);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(metal);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

bool WriteWheels(const std::string& outDir) {
    bool ok = true;
    for (int f = 0; f < 3; ++f) {
        PictureCanvas wheel(44, 44, PictureKey::Black);
        cairo_t* cr = wheel.Cairo();
        // Centred on the launcher bubble, which the game draws at (11, 12) of this box.
        const double cx = 22, cy = 23, turn = f * 10.0;
        DrawGear(cr, cx, cy, 12, 17, 20.6, 11.2, turn, Lighter(kSteel, 0.35), Darker(kSteel, 0.35));
        for (int i = 0; i < 6; ++i) {
            const double a = Radians(turn + 15 + i * 60);
            cairo_arc(cr, cx + 14.2 * std::cos(a), cy + 14.2 * std::sin(a), 1.3, 0, 2 * M_PI);
            SetColour(cr, kDeepInk);
            cairo_fill(cr);
        }
        cairo_arc(cr, cx, cy, 12.1, 0, 2 * M_PI);
        SetColour(cr, kBrass);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        ok = wheel.WriteBmp24(PicturePath(outDir, "gear" + std::to_string(f) + ".bmp")) && ok;

        PictureCanvas small(16, 16, PictureKey::Red);
        cr = small.Cairo();
        DrawGear(cr, 8, 8, 8, 5.4, 7.6, 1.6, -f * 15.0 + 22.5, Lighter(kBrass, 0.3),
                 Darker(kBrass, 0.4));
        cairo_arc(cr, 8, 8, 2.2, 0, 2 * M_PI);
        SetColour(cr, kInk);
        cairo_fill(cr);
        ok = small.WriteBmp24(PicturePath(outDir, "sgear" + std::to_string(f) + ".bmp")) && ok;
    }
    return ok;
}

// Offsets from the pivot are rounded to the rasteriser's 1/256 grid symmetrically, so an arrow
// and its partner get mirror-image coordinates.
double Snap256(double v) {
    return std::round(v * 256.0) / 256.0;
}

void ArrowPoint(cairo_t* cr, double along, double across, double sx, double sy, bool first) {
    // (sx, sy) is the unit direction; across is measured to its right-hand side.
    const double x = kAimPivotX + Snap256(along * sx - across * sy);
    const double y = kAimPivotY + Snap256(along * sy + across * sx);
    if (first) {
        cairo_move_to(cr, x, y);
    } else {
        cairo_line_to(cr, x, y);
    }
}

void DrawRawArrow(cairo_t* cr, int angleDegrees) {
    const double theta = Radians(angleDegrees - 90.0);
    const double sx = -std::sin(theta), sy = -std::cos(theta);
    const double outline[][2] = {{12.5, -3}, {28, -3}, {27, -9}, {42, 0},
                                 {27, 9},    {28, 3},  {12.5, 3}};
    cairo_new_path(cr);
    for (size_t i = 0; i < sizeof outline / sizeof outline[0]; ++i) {
        ArrowPoint(cr, outline[i][0], outline[i][1], sx, sy, i == 0);
    }
    cairo_close_path(cr);
    cairo_pattern_t* glow = cairo_pattern_create_linear(kAimPivotX + 12 * sx, kAimPivotY + 12 * sy,
                                                        kAimPivotX + 42 * sx, kAimPivotY + 42 * sy);
    cairo_pattern_add_color_stop_rgb(glow, 0, 0.55, 0.85, 1.0);
    cairo_pattern_add_color_stop_rgb(glow, 0.55, 0.95, 0.98, 1.0);
    cairo_pattern_add_color_stop_rgb(glow, 1, kGold.r, kGold.g, kGold.b);
    cairo_set_source(cr, glow);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glow);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
}

bool WriteAimArrows(const std::string& outDir) {
    bool ok = true;
    for (int angle = 90; angle >= 10; angle -= 4) {
        PictureCanvas arrow(kAimBox, kAimBox, PictureKey::Black);
        DrawAimArrow(arrow, angle);
        ok = arrow.WriteBmp24(PicturePath(outDir, "p" + std::to_string(angle) + ".bmp")) && ok;
    }
    return ok;
}

}  // namespace

void DrawAimArrow(PictureCanvas& canvas, int angleDegrees) {
    PictureCanvas own(kAimBox, kAimBox, PictureKey::Black);
    PictureCanvas partner(kAimBox, kAimBox, PictureKey::Black);
    DrawRawArrow(own.Cairo(), angleDegrees);
    DrawRawArrow(partner.Cairo(), 180 - angleDegrees);
    cairo_surface_flush(own.Surface());
    cairo_surface_flush(partner.Surface());
    cairo_surface_flush(canvas.Surface());
    const int stride = cairo_image_surface_get_stride(canvas.Surface());
    const unsigned char* a = cairo_image_surface_get_data(own.Surface());
    const unsigned char* b = cairo_image_surface_get_data(partner.Surface());
    unsigned char* out = cairo_image_surface_get_data(canvas.Surface());
    for (int y = 0; y < kAimBox; ++y) {
        const uint32_t* rowA = reinterpret_cast<const uint32_t*>(a + y * stride);
        const uint32_t* rowB = reinterpret_cast<const uint32_t*>(b + y * stride);
        uint32_t* rowOut = reinterpret_cast<uint32_t*>(out + y * stride);
        for (int x = 0; x < kAimBox; ++x) {
            const uint32_t p = rowA[x], q = rowB[kAimBox - 1 - x];
            uint32_t mixed = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const uint32_t sum = ((p >> shift) & 0xFF) + ((q >> shift) & 0xFF);
                mixed |= ((sum + 1) / 2) << shift;
            }
            rowOut[x] = mixed;
        }
    }
    cairo_surface_mark_dirty(canvas.Surface());
}

bool WriteMachineryPictures(const std::string& outDir) {
    const bool wheels = WriteWheels(outDir);
    const bool arrows = WriteAimArrows(outDir);
    return wheels && arrows;
}

}  // namespace assetgen
