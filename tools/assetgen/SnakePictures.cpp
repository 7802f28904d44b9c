// The snake boss: its head in the four directions of travel (each picture two cells long: the
// head over its own cell, the forked tongue reaching into the next) and three body pieces
// whose scales glint differently, so the body shimmers as the game picks one at random.
#include <cmath>
#include <string>

#include "tools/assetgen/BossArt.h"

namespace assetgen {
namespace {

constexpr Colour kScales = FromRgb(84, 200, 72);
constexpr Colour kBellyStripe = FromRgb(246, 226, 90);
constexpr Colour kTongue = FromRgb(238, 50, 80);

// The head facing down in a 22 x 44 frame: head in 0..22, tongue below.
void DrawHeadFacingDown(cairo_t* cr) {
    cairo_move_to(cr, 11, 24);
    cairo_line_to(cr, 11, 33);
    cairo_line_to(cr, 8, 38);
    cairo_move_to(cr, 11, 33);
    cairo_line_to(cr, 14, 38);
    StrokeOutlined(cr, kTongue, kInk, 1.4, 0.7);
    cairo_move_to(cr, 11, 1.5);
    cairo_curve_to(cr, 18, 1.5, 20.5, 7, 19.5, 13);
    cairo_curve_to(cr, 18.5, 19, 15, 21.5, 11, 21.5);
    cairo_curve_to(cr, 7, 21.5, 3.5, 19, 2.5, 13);
    cairo_curve_to(cr, 1.5, 7, 4, 1.5, 11, 1.5);
    cairo_close_path(cr);
    SetVerticalGradient(cr, 1, Lighter(kScales, 0.25), 22, Darker(kScales, 0.15));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_move_to(cr, 7, 6);
    cairo_line_to(cr, 11, 4);
    cairo_line_to(cr, 15, 6);
    SetColour(cr, kBellyStripe);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    Eye(cr, 6.5, 13, 2.8, 0, 0.7);
    Eye(cr, 15.5, 13, 2.8, 0, 0.7);
    Blob(cr, 9.5, 19, 0.7, kInk, 0);
    Blob(cr, 12.5, 19, 0.7, kInk, 0);
}

struct HeadFrame {
    const char* name;
    int width, height;
    // Maps the facing-down frame (u across, v along) onto the picture.
    double xx, yx, xy, yy, x0, y0;
};

bool WriteHead(const std::string& outDir, const HeadFrame& f) {
    PictureCanvas canvas(f.width, f.height, PictureKey::Corner);
    cairo_t* cr = canvas.Cairo();
    cairo_matrix_t m;
    cairo_matrix_init(&m, f.xx, f.yx, f.xy, f.yy, f.x0, f.y0);
    cairo_set_matrix(cr, &m);
    DrawHeadFacingDown(cr);
    return SaveBossPicture(canvas, outDir, f.name);
}

bool WriteBodyPiece(const std::string& outDir, int variant) {
    PictureCanvas canvas(22, 22, PictureKey::Corner);
    cairo_t* cr = canvas.Cairo();
    cairo_arc(cr, 11, 11, 9.5, 0, 2 * M_PI);
    SetVerticalGradient(cr, 2, Lighter(kScales, 0.2), 20, Darker(kScales, 0.2));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    // Diamond scales; the glinting one moves with the variant.
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 2; ++j) {
            const double cx = 6 + 5 * i, cy = 8 + 6 * j + (i % 2) * 2;
            const bool glint = (i + j * 3) % 3 == variant;
            cairo_move_to(cr, cx, cy - 2.4);
            cairo_line_to(cr, cx + 2, cy);
            cairo_line_to(cr, cx, cy + 2.4);
            cairo_line_to(cr, cx - 2, cy);
            cairo_close_path(cr);
            SetColour(cr, glint ? kBellyStripe : Darker(kScales, 0.3));
            cairo_fill(cr);
        }
    }
    AddEllipse(cr, 8, 6, 2.6, 1.4);
    SetColour(cr, Lighter(kScales, 0.6));
    cairo_fill(cr);
    return SaveBossPicture(canvas, outDir, "snakebody" + std::to_string(variant + 1) + ".bmp");
}

}  // namespace

bool WriteSnakePictures(const std::string& outDir) {
    // snakehead1..4: down, right, left, up.
    const HeadFrame frames[4] = {
        {"snakehead1.bmp", 22, 44, 1, 0, 0, 1, 0, 0},
        {"snakehead2.bmp", 44, 22, 0, -1, 1, 0, 0, 22},
        {"snakehead3.bmp", 44, 22, 0, 1, -1, 0, 44, 0},
        {"snakehead4.bmp", 22, 44, -1, 0, 0, -1, 22, 44},
    };
    bool ok = true;
    for (const HeadFrame& f : frames)
        ok = WriteHead(outDir, f) && ok;
    for (int v = 0; v < 3; ++v)
        ok = WriteBodyPiece(outDir, v) && ok;
    return ok;
}

}  // namespace assetgen
