// The insect boss: a diving beetle with two pincer arms that charge sparks. Idle (wings in two
// beats), charging (arms raised, two beats), battered versions of all four, and the hit flash.
#include <cmath>
#include <string>

#include "tools/assetgen/BossArt.h"

namespace assetgen {
namespace {

constexpr Colour kShell = FromRgb(58, 196, 140);
constexpr Colour kShellDamaged = FromRgb(110, 150, 110);
constexpr Colour kHitShell = FromRgb(255, 236, 200);
constexpr Colour kWing = FromRgb(170, 230, 255);
constexpr Colour kLimb = FromRgb(246, 176, 52);
constexpr Colour kGlow = FromRgb(255, 240, 120);

struct InsectLook {
    double wingLift = 0;  // 0 folded close, 1 spread
    bool charging = false;
    int beat = 0;  // 0 or 1: alternating detail of the idle and charging frames
    bool damaged = false;
    bool hit = false;
};

Colour ShellOf(const InsectLook& look) {
    if (look.hit) return kHitShell;
    return look.damaged ? kShellDamaged : kShell;
}

void DrawWings(cairo_t* cr, const InsectLook& look) {
    for (const int side : {-1, 1}) {
        const double a = (0.75 + 0.55 * look.wingLift) * side;
        cairo_save(cr);
        cairo_translate(cr, 26 + 6 * side, 24);
        cairo_rotate(cr, a);
        AddEllipse(cr, 0, -10, 5.5, 12);
        FillOutlined(cr, look.hit ? kWhite : kWing, kDeepInk, 1.0);
        cairo_move_to(cr, 0, -19);
        cairo_line_to(cr, 0, -3);
        SetColour(cr, kDeepInk);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

void DrawLegs(cairo_t* cr, const InsectLook& look) {
    for (const int side : {-1, 1}) {
        for (int i = 0; i < 2; ++i) {
            const double y = 30 + 7 * i;
            const double kick = (look.beat == i ? 2 : 0) * side;
            cairo_move_to(cr, 26 + 8 * side, y);
            cairo_line_to(cr, 26 + 17 * side + kick, y + 4);
            cairo_line_to(cr, 26 + 21 * side + kick, y + 11);
            StrokeOutlined(cr, kLimb, kInk, 1.6, 0.8);
        }
    }
}

// Pincer arms end at the spark points (8, 32) and (36, 32) when charging, lower when idle.
void DrawArms(cairo_t* cr, const InsectLook& look) {
    for (const int side : {-1, 1}) {
        const double hx = side < 0 ? 8 : 44, hy = look.charging ? 32 : 38;
        const double tipX = look.charging ? (side < 0 ? 8 : 36) : hx;
        const double tipY = look.charging ? 30 : hy;
        cairo_move_to(cr, 26 + 9 * side, 24);
        cairo_curve_to(cr, 26 + 16 * side, 20, tipX, tipY - 12, tipX, tipY - 3);
        StrokeOutlined(cr, kLimb, kInk, 2.4, 0.9);
        const double open = look.charging ? 0.9 : 0.4;
        for (const int jaw : {-1, 1}) {
            cairo_save(cr);
            cairo_translate(cr, tipX, tipY - 3);
            cairo_rotate(cr, jaw * open);
            AddEllipse(cr, 0, 4, 1.8, 4.2);
            FillOutlined(cr, look.hit ? kWhite : kLimb, kInk, 0.9);
            cairo_restore(cr);
        }
    }
}

void DrawBody(cairo_t* cr, const InsectLook& look) {
    const Colour shell = ShellOf(look);
    AddEllipse(cr, 26, 31, 12.5, 14);
    SetVerticalGradient(cr, 17, Lighter(shell, 0.35), 45, Darker(shell, 0.25));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_move_to(cr, 26, 19);
    cairo_line_to(cr, 26, 44);
    SetColour(cr, Darker(shell, 0.5));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    AddEllipse(cr, 21, 25, 3, 5);
    SetColour(cr, Lighter(shell, 0.6));
    cairo_fill(cr);
    if (look.damaged) {
        // Cracks across the shell and a patch.
        cairo_move_to(cr, 31, 22);
        cairo_line_to(cr, 34, 27);
        cairo_line_to(cr, 31, 30);
        cairo_line_to(cr, 35, 35);
        cairo_move_to(cr, 18, 33);
        cairo_line_to(cr, 22, 37);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        AddRoundedRect(cr, 17, 37, 8, 4, 1);
        FillOutlined(cr, FromRgb(236, 222, 190), kInk, 0.8);
    }
}

void DrawHead(cairo_t* cr, const InsectLook& look) {
    const Colour shell = ShellOf(look);
    for (const int side : {-1, 1}) {
        cairo_move_to(cr, 26 + 3 * side, 8);
        if (look.damaged && side > 0) {
            cairo_line_to(cr, 33, 4);
            cairo_line_to(cr, 37, 7);
        } else {
            cairo_curve_to(cr, 26 + 6 * side, 3, 26 + 10 * side, 2, 26 + 13 * side, 4);
        }
        StrokeOutlined(cr, kLimb, kInk, 1.2, 0.7);
    }
    AddEllipse(cr, 26, 13, 9.5, 7);
    FillOutlined(cr, Darker(shell, 0.1), kInk, 1.3);
    const bool dazed = look.hit;
    const double look_y = look.charging ? 0.6 : 0.2;
    Eye(cr, 22, 12, 3.4, 0, look_y, dazed);
    Eye(cr, 30, 12, 3.4, 0, look_y, dazed);
    if (look.charging && !look.hit) {
        // Frowning brows while charging.
        cairo_move_to(cr, 18.5, 7.5);
        cairo_line_to(cr, 24, 9.5);
        cairo_move_to(cr, 33.5, 7.5);
        cairo_line_to(cr, 28, 9.5);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, 23, 17.5);
    cairo_line_to(cr, 29, 17.5);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void DrawChargeGlow(cairo_t* cr, const InsectLook& look) {
    if (!look.charging || look.hit) return;
    const double r = look.beat == 0 ? 2.4 : 3.2;
    Twinkle(cr, 26, 47, r + 1, kGlow);
}

void DrawHitBurst(cairo_t* cr) {
    for (int i = 0; i < 3; ++i) {
        const double a = -0.5 + i * 0.9;
        Twinkle(cr, 26 + 20 * std::sin(a), 22 - 16 * std::cos(a), 3.2, kGlow);
    }
}

bool WriteInsect(const std::string& outDir, const std::string& name, const InsectLook& look) {
    PictureCanvas canvas(52, 52, PictureKey::Corner);
    cairo_t* cr = canvas.Cairo();
    DrawWings(cr, look);
    DrawLegs(cr, look);
    DrawBody(cr, look);
    DrawArms(cr, look);
    DrawHead(cr, look);
    DrawChargeGlow(cr, look);
    if (look.hit) DrawHitBurst(cr);
    return SaveBossPicture(canvas, outDir, name);
}

}  // namespace

bool WriteInsectPictures(const std::string& outDir) {
    bool ok = true;
    for (const bool damaged : {false, true}) {
        for (int i = 0; i < 4; ++i) {
            InsectLook look;
            look.charging = i >= 2;
            look.beat = i % 2;
            look.wingLift = look.charging ? 0.9 : (i == 0 ? 0.1 : 0.6);
            look.damaged = damaged;
            const std::string name =
                std::string("insect") + (damaged ? "0" : "") + std::to_string(i) + ".bmp";
            ok = WriteInsect(outDir, name, look) && ok;
        }
    }
    InsectLook hit;
    hit.hit = true;
    hit.wingLift = 1;
    return WriteInsect(outDir, "insecthitted.bmp", hit) && ok;
}

}  // namespace assetgen
