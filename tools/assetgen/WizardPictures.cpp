// The wizard boss: hovering (facing right and left), riding his staff, struck, the broom he
// spins in four quarter turns, and the magic balls that gather around him.
#include <cmath>
#include <string>

#include "tools/assetgen/BossArt.h"

namespace assetgen {
namespace {

constexpr Colour kRobe = FromRgb(78, 96, 230);
constexpr Colour kRobeTrim = FromRgb(255, 208, 64);
constexpr Colour kSkin = FromRgb(250, 204, 168);
constexpr Colour kBeard = FromRgb(236, 240, 250);
constexpr Colour kStaff = FromRgb(170, 110, 60);
constexpr Colour kStraw = FromRgb(246, 200, 92);
constexpr Colour kMagic = FromRgb(236, 96, 250);
constexpr Colour kStarGold = FromRgb(255, 236, 96);

struct WizardLook {
    bool riding = false;
    bool struck = false;
};

void DrawHat(cairo_t* cr, double cx, double brimY, double tilt) {
    cairo_save(cr);
    cairo_translate(cr, cx, brimY);
    cairo_rotate(cr, tilt);
    cairo_move_to(cr, -12, 0);
    cairo_curve_to(cr, -6, -6, 2, -16, 10, -20);
    cairo_curve_to(cr, 6, -12, 7, -6, 12, 0);
    cairo_close_path(cr);
    FillOutlined(cr, Darker(kRobe, 0.15), kInk, 1.3);
    AddEllipse(cr, 0, 0, 14, 3);
    FillOutlined(cr, kRobe, kInk, 1.2);
    Twinkle(cr, 1, -8, 3, kStarGold);
    cairo_restore(cr);
}

// Face, beard and hat around a head centre; the wizard faces right (eyes and nose to the right).
void DrawHead(cairo_t* cr, double hx, double hy, bool struck) {
    Blob(cr, hx, hy, 7.5, kSkin, 1.2);
    cairo_move_to(cr, hx - 7, hy + 1);
    cairo_curve_to(cr, hx - 6, hy + 14, hx + 2, hy + 18, hx + 5, hy + 19);
    cairo_curve_to(cr, hx + 6, hy + 12, hx + 9, hy + 6, hx + 7, hy + 1);
    cairo_curve_to(cr, hx + 3, hy + 4, hx - 3, hy + 4, hx - 7, hy + 1);
    cairo_close_path(cr);
    FillOutlined(cr, kBeard, kInk, 1.1);
    Eye(cr, hx + 3, hy - 1.5, 2.4, 0.8, 0, struck);
    Blob(cr, hx + 7.5, hy + 1, 1.8, Darker(kSkin, 0.1), 0.8);
    DrawHat(cr, hx, hy - 5, struck ? -0.5 : 0.08);
}

void DrawRobe(cairo_t* cr, double top, double bottom) {
    cairo_move_to(cr, 25, top);
    cairo_curve_to(cr, 14, top + 8, 9, bottom - 8, 6, bottom);
    cairo_line_to(cr, 42, bottom);
    cairo_curve_to(cr, 38, bottom - 10, 34, top + 8, 25, top);
    cairo_close_path(cr);
    SetVerticalGradient(cr, top, Lighter(kRobe, 0.2), bottom, Darker(kRobe, 0.2));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_move_to(cr, 7.5, bottom - 2.5);
    cairo_line_to(cr, 40.5, bottom - 2.5);
    SetColour(cr, kRobeTrim);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    Twinkle(cr, 20, (top + bottom) / 2 + 4, 2.5, kStarGold);
    Twinkle(cr, 31, (top + bottom) / 2 + 10, 2, kStarGold);
}

void DrawWand(cairo_t* cr) {
    cairo_move_to(cr, 34, 34);
    cairo_line_to(cr, 45, 24);
    StrokeOutlined(cr, kStaff, kInk, 2.0, 0.8);
    Twinkle(cr, 46, 23, 3.5, kMagic);
}

void DrawHovering(cairo_t* cr) {
    DrawRobe(cr, 24, 58);
    cairo_move_to(cr, 30, 32);
    cairo_line_to(cr, 36, 36);
    StrokeOutlined(cr, kRobe, kInk, 4, 1);
    Blob(cr, 37, 36, 2.6, kSkin, 0.9);
    DrawWand(cr);
    DrawHead(cr, 25, 20, false);
}

void DrawStruck(cairo_t* cr) {
    DrawRobe(cr, 26, 58);
    for (const int side : {-1, 1}) {
        cairo_move_to(cr, 25 + 4 * side, 32);
        cairo_line_to(cr, 25 + 16 * side, 24);
        StrokeOutlined(cr, kRobe, kInk, 4, 1);
        Blob(cr, 25 + 17 * side, 23, 2.6, kSkin, 0.9);
    }
    DrawHead(cr, 25, 21, true);
    Twinkle(cr, 8, 10, 3.5, kStarGold);
    Twinkle(cr, 44, 8, 3, kStarGold);
    Twinkle(cr, 40, 44, 2.5, kMagic);
}

// Sitting side-saddle on a long staff that glows at its tip.
void DrawRiding(cairo_t* cr) {
    cairo_move_to(cr, 2, 44);
    cairo_line_to(cr, 54, 38);
    StrokeOutlined(cr, kStaff, kInk, 3.2, 1.0);
    Twinkle(cr, 54, 38, 5, kMagic);
    cairo_move_to(cr, 14, 42);
    cairo_curve_to(cr, 14, 30, 20, 24, 27, 22);
    cairo_curve_to(cr, 34, 24, 38, 32, 36, 42);
    cairo_curve_to(cr, 32, 50, 22, 52, 14, 42);
    cairo_close_path(cr);
    FillOutlined(cr, kRobe, kInk, 1.3);
    cairo_move_to(cr, 30, 42);
    cairo_line_to(cr, 38, 50);
    StrokeOutlined(cr, Darker(kRobe, 0.2), kInk, 4, 1);
    AddEllipse(cr, 40, 51, 3.5, 2);
    FillOutlined(cr, kStaff, kInk, 0.9);
    cairo_move_to(cr, 30, 30);
    cairo_line_to(cr, 40, 39);
    StrokeOutlined(cr, kRobe, kInk, 3.6, 1);
    Blob(cr, 40, 39, 2.4, kSkin, 0.9);
    DrawHead(cr, 27, 17, false);
}

bool WriteWizard(const std::string& outDir, const std::string& name, int width, int height,
                 bool mirror, void (*draw)(cairo_t*)) {
    PictureCanvas canvas(width, height, PictureKey::Red);
    cairo_t* cr = canvas.Cairo();
    if (mirror) {
        cairo_translate(cr, width, 0);
        cairo_scale(cr, -1, 1);
    }
    draw(cr);
    return SaveBossPicture(canvas, outDir, name);
}

// broom0 has its handle end at the top-left corner (the pivot) and its straw toward the
// bottom-right; each next picture is a quarter turn further, counter-clockwise.
bool WriteBroom(const std::string& outDir, int quarter) {
    PictureCanvas canvas(30, 30, PictureKey::Red);
    cairo_t* cr = canvas.Cairo();
    cairo_translate(cr, 15, 15);
    cairo_rotate(cr, -quarter * M_PI / 2);
    cairo_translate(cr, -15, -15);
    cairo_move_to(cr, 2.5, 2.5);
    cairo_line_to(cr, 18, 18);
    StrokeOutlined(cr, kStaff, kInk, 2.2, 0.9);
    cairo_move_to(cr, 16, 20);
    cairo_line_to(cr, 20, 16);
    cairo_line_to(cr, 28.5, 22);
    cairo_line_to(cr, 28.5, 28.5);
    cairo_line_to(cr, 22, 28.5);
    cairo_close_path(cr);
    FillOutlined(cr, kStraw, kInk, 1.1);
    cairo_move_to(cr, 18, 22);
    cairo_line_to(cr, 25, 27);
    cairo_move_to(cr, 22, 18);
    cairo_line_to(cr, 27, 25);
    SetColour(cr, Darker(kStraw, 0.35));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_move_to(cr, 16.5, 18.5);
    cairo_line_to(cr, 18.5, 16.5);
    SetColour(cr, kRobeTrim);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    return SaveBossPicture(canvas, outDir, "broom" + std::to_string(quarter) + ".bmp");
}

bool WriteMagicBall(const std::string& outDir, int frame) {
    PictureCanvas canvas(12, 12, PictureKey::Black);
    cairo_t* cr = canvas.Cairo();
    cairo_pattern_t* glow = cairo_pattern_create_radial(4.5, 4.5, 0.5, 6, 6, 5.5);
    cairo_pattern_add_color_stop_rgb(glow, 0, 1, 0.92, 1);
    cairo_pattern_add_color_stop_rgb(glow, 1, kMagic.r * 0.8, kMagic.g * 0.8, kMagic.b);
    cairo_arc(cr, 6, 6, 5, 0, 2 * M_PI);
    cairo_set_source(cr, glow);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glow);
    SetColour(cr, kDeepInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    const double a = frame * 2 * M_PI / 3;
    Blob(cr, 6 + 2.4 * std::cos(a), 6 + 2.4 * std::sin(a), 1.2, kWhite, 0);
    return SaveBossPicture(
        canvas, outDir,
        frame == 0 ? "wizardball.bmp" : "wizardball" + std::to_string(frame) + ".bmp");
}

}  // namespace

bool WriteWizardPictures(const std::string& outDir) {
    bool ok = WriteWizard(outDir, "wizard.bmp", 50, 60, false, DrawHovering);
    ok = WriteWizard(outDir, "wizard1.bmp", 50, 60, true, DrawHovering) && ok;
    ok = WriteWizard(outDir, "wizardweapon.bmp", 60, 56, false, DrawRiding) && ok;
    ok = WriteWizard(outDir, "wizardhitted.bmp", 50, 60, false, DrawStruck) && ok;
    for (int q = 0; q < 4; ++q)
        ok = WriteBroom(outDir, q) && ok;
    for (int f = 0; f < 3; ++f)
        ok = WriteMagicBall(outDir, f) && ok;
    return ok;
}

}  // namespace assetgen
