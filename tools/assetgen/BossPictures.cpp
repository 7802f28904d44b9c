// The boss families: the shared helpers, the life icon and the sparks, and the entry point.
#include <cmath>
#include <cstdio>

#include "tools/assetgen/BossArt.h"
#include "tools/assetgen/Generators.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

constexpr Colour kHeart = FromRgb(240, 52, 84);
constexpr Colour kSparkCore = FromRgb(255, 255, 210);
constexpr Colour kSparkGlow = FromRgb(255, 220, 60);
constexpr Colour kSparkEdge = FromRgb(90, 200, 255);

// 8 x 8 heart on a dark tile, drawn pixel by pixel: too small for smooth curves.
bool WriteLifeIcon(const std::string& outDir) {
    static const char* const kRows[8] = {
        "........", ".oo..oo.", "oHHooHho", "oHHHHHHo",
        "oHHHHHHo", ".oHHHHo.", "..oHHo..", "...oo...",
    };
    PictureCanvas canvas(8, 8, PictureKey::None);
    cairo_t* cr = canvas.Cairo();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const char c = kRows[y][x];
            SetColour(cr, c == 'H' ? kHeart : c == 'h' ? kWhite : c == 'o' ? kInk : kDeepInk);
            cairo_rectangle(cr, x, y, 1, 1);
            cairo_fill(cr);
        }
    }
    return SaveBossPicture(canvas, outDir, "life.bmp");
}

// A crackling spark: a jagged star that turns a little each frame.
bool WriteSpark(const std::string& outDir, int frame) {
    PictureCanvas canvas(16, 16, PictureKey::Black);
    cairo_t* cr = canvas.Cairo();
    const double turn = frame * M_PI / 7;
    const int points = 7;
    cairo_new_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double a = turn + i * M_PI / points;
        const double r = i % 2 == 0 ? 7.2 - (i / 2 + frame) % 3 * 0.9 : 2.6;
        const double x = 8 + r * std::cos(a), y = 8 + r * std::sin(a);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
    FillOutlined(cr, frame == 1 ? kSparkEdge : kSparkGlow, kDeepInk, 1.0);
    Blob(cr, 8, 8, 2.2, kSparkCore, 0);
    return SaveBossPicture(canvas, outDir, "el" + std::to_string(frame) + ".bmp");
}

}  // namespace

bool SaveBossPicture(PictureCanvas& canvas, const std::string& outDir, const std::string& name) {
    if (canvas.Key() != PictureKey::None) {
        cairo_t* cr = canvas.Cairo();
        cairo_save(cr);
        cairo_identity_matrix(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_rectangle(cr, 0, 0, 1, 1);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    return canvas.WriteBmp24(PicturePath(outDir, name));
}

void Blob(cairo_t* cr, double cx, double cy, double r, Colour fill, double outline) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    if (outline > 0) {
        FillOutlined(cr, fill, kInk, outline);
    } else {
        SetColour(cr, fill);
        cairo_fill(cr);
    }
}

void Eye(cairo_t* cr, double cx, double cy, double r, double dx, double dy, bool dazed) {
    Blob(cr, cx, cy, r, kWhite, 0.9);
    if (dazed) {
        const double d = r * 0.55;
        cairo_move_to(cr, cx - d, cy - d);
        cairo_line_to(cr, cx + d, cy + d);
        cairo_move_to(cr, cx + d, cy - d);
        cairo_line_to(cr, cx - d, cy + d);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        return;
    }
    Blob(cr, cx + dx * r * 0.4, cy + dy * r * 0.4, r * 0.5, kInk, 0);
}

void Twinkle(cairo_t* cr, double cx, double cy, double r, Colour c) {
    cairo_move_to(cr, cx, cy - r);
    cairo_line_to(cr, cx + r * 0.3, cy - r * 0.3);
    cairo_line_to(cr, cx + r, cy);
    cairo_line_to(cr, cx + r * 0.3, cy + r * 0.3);
    cairo_line_to(cr, cx, cy + r);
    cairo_line_to(cr, cx - r * 0.3, cy + r * 0.3);
    cairo_line_to(cr, cx - r, cy);
    cairo_line_to(cr, cx - r * 0.3, cy - r * 0.3);
    cairo_close_path(cr);
    FillOutlined(cr, c, kInk, 0.8);
}

bool WriteBossSparkPictures(const std::string& outDir) {
    bool ok = WriteLifeIcon(outDir);
    for (int frame = 0; frame < 3; ++frame)
        ok = WriteSpark(outDir, frame) && ok;
    return ok;
}

bool GenerateBossPictures(const GenContext& ctx) {
    bool ok = WriteBossSparkPictures(ctx.outDir);
    ok = WriteInsectPictures(ctx.outDir) && ok;
    ok = WriteCrabPictures(ctx.outDir) && ok;
    ok = WriteSnakePictures(ctx.outDir) && ok;
    ok = WriteWizardPictures(ctx.outDir) && ok;
    if (!ok) std::fprintf(stderr, "assetgen: some boss pictures could not be written\n");
    return ok;
}

}  // namespace assetgen
