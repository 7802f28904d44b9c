// Pictures shared by the bosses (the life heart, the sparks) and the four bosses themselves.
#include <cmath>
#include <string>

#include "tools/assetgen/BossFamilies.h"
#include "tools/assetgen/Generators.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

bool WriteLife(const std::string& outDir) {
    // Unkeyed: the heart sits on its own dark tile.
    PictureCanvas life(8, 8, PictureKey::None);
    cairo_t* cr = life.Cairo();
    SetColour(cr, FromRgb(14, 20, 46));
    cairo_paint(cr);
    cairo_move_to(cr, 4, 7.2);
    cairo_curve_to(cr, -0.6, 4, 0.6, -0.4, 4, 2.2);
    cairo_curve_to(cr, 7.4, -0.4, 8.6, 4, 4, 7.2);
    cairo_close_path(cr);
    SetColour(cr, FromRgb(240, 70, 84));
    cairo_fill(cr);
    cairo_rectangle(cr, 2, 2, 1, 1);
    SetColour(cr, FromRgb(255, 200, 210));
    cairo_fill(cr);
    return life.WriteBmp24(PicturePath(outDir, "life.bmp"));
}

void AddBolt(cairo_t* cr, double cx, double cy, double angle, double length) {
    const double c = std::cos(angle), s = std::sin(angle);
    const double pts[][2] = {{0, 0}, {length * 0.45, 1.6}, {length * 0.55, -1.2}, {length, 0}};
    for (int i = 0; i < 4; ++i) {
        const double x = cx + pts[i][0] * c - pts[i][1] * s;
        const double y = cy + pts[i][0] * s + pts[i][1] * c;
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
}

bool WriteSparks(const std::string& outDir) {
    bool ok = true;
    for (int frame = 0; frame < 3; ++frame) {
        // Top-left pixel black: the game keys these by black and by the corner alike.
        PictureCanvas spark(16, 16, PictureKey::Black);
        cairo_t* cr = spark.Cairo();
        cairo_new_path(cr);
        for (int i = 0; i < 5; ++i) {
            AddBolt(cr, 8, 8, frame * 0.4 + i * 2 * M_PI / 5, 6.6 - (i + frame) % 2 * 1.2);
        }
        StrokeOutlined(cr, FromRgb(255, 240, 120), FromRgb(30, 60, 140), 1.6, 0.9);
        cairo_arc(cr, 8, 8, 2.6 + 0.4 * frame, 0, 2 * M_PI);
        FillOutlined(cr, FromRgb(250, 252, 255), FromRgb(90, 200, 255), 1.2);
        ok = spark.WriteBmp24(PicturePath(outDir, "el" + std::to_string(frame) + ".bmp")) && ok;
    }
    return ok;
}

}  // namespace

bool GenerateBossPictures(const GenContext& ctx) {
    bool ok = WriteLife(ctx.outDir);
    ok = WriteSparks(ctx.outDir) && ok;
    ok = WriteInsectPictures(ctx.outDir) && ok;
    ok = WriteCrabPictures(ctx.outDir) && ok;
    ok = WriteSnakePictures(ctx.outDir) && ok;
    ok = WriteWizardPictures(ctx.outDir) && ok;
    return ok;
}

}  // namespace assetgen
