// The lake snake of the third episode: a head for each direction of travel, the head over its
// own cell and the tongue one cell ahead, and three body pieces that shimmer as it swims.
#include <cmath>
#include <string>

#include "tools/assetgen/BossFamilies.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

constexpr int kCell = 22;
constexpr Colour kScales = FromRgb(96, 186, 70);
constexpr Colour kBands = FromRgb(36, 96, 52);
constexpr Colour kTongue = FromRgb(236, 70, 96);

// Facing right inside a 44 x 22 box: the head over the left cell, the tongue in the right.
void DrawHeadFacingRight(cairo_t* cr) {
    cairo_move_to(cr, 19, 11);
    cairo_line_to(cr, 36, 11);
    cairo_line_to(cr, 41, 7.5);
    cairo_move_to(cr, 36, 11);
    cairo_line_to(cr, 41, 14.5);
    StrokeOutlined(cr, kTongue, kInk, 1.5, 0.8);
    cairo_move_to(cr, 2, 11);
    cairo_curve_to(cr, 2, 3, 10, 1.5, 15, 3.5);
    cairo_curve_to(cr, 20, 5.5, 22, 8, 22, 11);
    cairo_curve_to(cr, 22, 14, 20, 16.5, 15, 18.5);
    cairo_curve_to(cr, 10, 20.5, 2, 19, 2, 11);
    cairo_close_path(cr);
    cairo_pattern_t* shade = cairo_pattern_create_radial(12, 9, 1, 11, 11, 12);
    const Colour light = Lighter(kScales, 0.35), dark = Darker(kScales, 0.25);
    cairo_pattern_add_color_stop_rgb(shade, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(shade, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        AddEllipse(cr, 14, 11 + side * 4.6, 2.6, 2);
        FillOutlined(cr, FromRgb(255, 226, 60), kInk, 0.8);
        AddEllipse(cr, 14.8, 11 + side * 4.6, 0.7, 1.6);
        SetColour(cr, kInk);
        cairo_fill(cr);
    }
    AddEllipse(cr, 5.5, 11, 2.5, 3.5);
    SetColour(cr, kBands);
    cairo_fill(cr);
}

bool WriteHead(const std::string& outDir, int number, int width, int height, double turn,
               double shiftX, double shiftY, bool mirror) {
    PictureCanvas head(width, height, PictureKey::Corner);
    cairo_t* cr = head.Cairo();
    cairo_translate(cr, shiftX, shiftY);
    cairo_rotate(cr, turn);
    if (mirror) {
        cairo_translate(cr, 2 * kCell, 0);
        cairo_scale(cr, -1, 1);
    }
    DrawHeadFacingRight(cr);
    return head.WriteBmp24(PicturePath(outDir, "snakehead" + std::to_string(number) + ".bmp"));
}

bool WriteBody(const std::string& outDir, int variant) {
    PictureCanvas piece(kCell, kCell, PictureKey::Corner);
    cairo_t* cr = piece.Cairo();
    cairo_arc(cr, 11, 11, 9.6, 0, 2 * M_PI);
    cairo_pattern_t* shade = cairo_pattern_create_radial(9, 8, 1, 11, 11, 10);
    const Colour light = Lighter(kScales, 0.25 + 0.08 * variant), dark = Darker(kScales, 0.3);
    cairo_pattern_add_color_stop_rgb(shade, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(shade, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    // A diamond back pattern that slides a little between the three pieces.
    const double d = 1.5 * (variant - 1);
    cairo_move_to(cr, 11 + d, 4.5);
    cairo_line_to(cr, 16.5 + d, 11);
    cairo_line_to(cr, 11 + d, 17.5);
    cairo_line_to(cr, 5.5 + d, 11);
    cairo_close_path(cr);
    SetColour(cr, kBands);
    cairo_fill(cr);
    cairo_arc(cr, 11 + d, 11, 2, 0, 2 * M_PI);
    SetColour(cr, FromRgb(200, 230, 90));
    cairo_fill(cr);
    return piece.WriteBmp24(
        PicturePath(outDir, "snakebody" + std::to_string(variant + 1) + ".bmp"));
}

}  // namespace

bool WriteSnakePictures(const std::string& outDir) {
    // 1 down (22 x 44, head on top), 2 right, 3 left (head on the right), 4 up (head below).
    bool ok = WriteHead(outDir, 1, kCell, 2 * kCell, M_PI / 2, kCell, 0, false);
    ok = WriteHead(outDir, 2, 2 * kCell, kCell, 0, 0, 0, false) && ok;
    ok = WriteHead(outDir, 3, 2 * kCell, kCell, 0, 0, 0, true) && ok;
    ok = WriteHead(outDir, 4, kCell, 2 * kCell, -M_PI / 2, 0, 2 * kCell, false) && ok;
    for (int variant = 0; variant < 3; ++variant)
        ok = WriteBody(outDir, variant) && ok;
    return ok;
}

}  // namespace assetgen
