// The crab boss: four walking beats, three battered beats with the right rear leg gone, the
// four-step throw with the big claw, the hit flash healthy and battered (the battered one,
// upside down, is also its fall), and the lost leg.
#include <cmath>
#include <string>

#include "tools/assetgen/BossArt.h"

namespace assetgen {
namespace {

constexpr int kWidth = 64, kHeight = 56;
constexpr Colour kCrabShell = FromRgb(238, 84, 52);
constexpr Colour kCrabBattered = FromRgb(196, 104, 84);
constexpr Colour kCrabFlash = FromRgb(255, 226, 200);
constexpr Colour kCrabBelly = FromRgb(255, 196, 150);
constexpr Colour kBruise = FromRgb(120, 80, 170);

struct CrabLook {
    double stride = 0;     // leg swing, -1..1
    double clawAngle = 0;  // big claw: 0 raised high (spark point), up to 1 swung forward-down
    bool missingLeg = false;
    bool battered = false;
    bool flash = false;
    bool upsideDown = false;
};

Colour ShellOf(const CrabLook& look) {
    if (look.flash) return kCrabFlash;
    return look.battered ? kCrabBattered : kCrabShell;
}

void AddLeg(cairo_t* cr, double hipX, double hipY, int side, double swing) {
    const double kneeX = hipX + side * 10, kneeY = hipY - 4 + swing;
    cairo_move_to(cr, hipX, hipY);
    cairo_line_to(cr, kneeX, kneeY);
    cairo_line_to(cr, kneeX + side * 5, kneeY + 13 - swing);
}

void DrawLegs(cairo_t* cr, const CrabLook& look) {
    const Colour shell = ShellOf(look);
    for (const int side : {-1, 1}) {
        for (int i = 0; i < 3; ++i) {
            if (look.missingLeg && side > 0 && i == 2) continue;
            const double swing = look.stride * ((i % 2 == 0) ? 2.5 : -2.5) * side;
            AddLeg(cr, 32 + side * (12 + 2 * i), 36 + 3 * i, side, swing);
            StrokeOutlined(cr, Darker(shell, 0.1), kInk, 2.6, 0.9);
        }
    }
    if (look.missingLeg) {
        // The stump where the leg was.
        AddEllipse(cr, 48, 42, 2.5, 2);
        FillOutlined(cr, kCrabBelly, kInk, 0.8);
    }
}

void AddPincer(cairo_t* cr, double size) {
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, -size, -size * 0.4, -size * 0.8, -size * 1.6, 0, -size * 1.8);
    cairo_curve_to(cr, size * 0.5, -size * 1.5, size * 0.3, -size * 1.1, size * 0.1, -size);
    cairo_curve_to(cr, size * 0.8, -size * 1.1, size * 0.9, -size * 0.4, 0, 0);
    cairo_close_path(cr);
}

// The big left claw: its tip sits at the spark point (28, 8) when raised.
void DrawBigClaw(cairo_t* cr, const CrabLook& look) {
    const Colour shell = ShellOf(look);
    const double a = look.clawAngle * 2.2;
    const double elbowX = 14, elbowY = 22;
    const double handX = elbowX + 12 * std::sin(0.6 + a), handY = elbowY - 10 * std::cos(0.6 + a);
    cairo_move_to(cr, 20, 32);
    cairo_line_to(cr, elbowX, elbowY);
    cairo_line_to(cr, handX, handY);
    StrokeOutlined(cr, shell, kInk, 3.4, 1.0);
    cairo_save(cr);
    cairo_translate(cr, handX, handY);
    cairo_rotate(cr, 0.5 + a);
    AddPincer(cr, 8.5);
    FillOutlined(cr, Lighter(shell, 0.15), kInk, 1.2);
    cairo_restore(cr);
}

void DrawSmallClaw(cairo_t* cr, const CrabLook& look) {
    cairo_move_to(cr, 46, 30);
    cairo_line_to(cr, 54, 24);
    StrokeOutlined(cr, ShellOf(look), kInk, 2.8, 0.9);
    cairo_save(cr);
    cairo_translate(cr, 55, 24);
    cairo_rotate(cr, 0.3 + look.stride * 0.2);
    AddPincer(cr, 5.5);
    FillOutlined(cr, Lighter(ShellOf(look), 0.15), kInk, 1.0);
    cairo_restore(cr);
}

void DrawEyes(cairo_t* cr, const CrabLook& look) {
    for (const double x : {35.0, 44.0}) {
        cairo_move_to(cr, x, 26);
        cairo_line_to(cr, x, 17);
        StrokeOutlined(cr, ShellOf(look), kInk, 1.8, 0.8);
        Eye(cr, x, 14, 3.6, -0.4, 0.3, look.flash);
    }
}

void DrawShell(cairo_t* cr, const CrabLook& look) {
    const Colour shell = ShellOf(look);
    AddEllipse(cr, 33, 34, 19, 11.5);
    SetVerticalGradient(cr, 22, Lighter(shell, 0.3), 46, Darker(shell, 0.2));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        Blob(cr, 24 + 9 * i, 30 + (i % 2) * 2, 1.5, Lighter(shell, 0.5), 0);
    }
    cairo_move_to(cr, 27, 40);
    cairo_curve_to(cr, 31, look.flash ? 37 : 43, 35, look.flash ? 37 : 43, 39, 40);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (look.battered) {
        cairo_move_to(cr, 40, 25);
        cairo_line_to(cr, 43, 30);
        cairo_line_to(cr, 40, 33);
        cairo_line_to(cr, 44, 37);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        AddEllipse(cr, 23, 36, 3, 2.2);
        FillOutlined(cr, kBruise, kInk, 0.7);
    }
}

void DrawUpsideDown(cairo_t* cr, const CrabLook& look) {
    // Belly up, legs kicking in the air, for the battered hit and the fall.
    for (const int side : {-1, 1}) {
        for (int i = 0; i < 3; ++i) {
            if (side > 0 && i == 2) continue;
            cairo_move_to(cr, 32 + side * (8 + 4 * i), 28);
            cairo_line_to(cr, 32 + side * (12 + 6 * i), 14 - 2 * i);
            cairo_line_to(cr, 32 + side * (16 + 6 * i), 8 + 2 * i);
            StrokeOutlined(cr, ShellOf(look), kInk, 2.6, 0.9);
        }
    }
    AddEllipse(cr, 32, 32, 19, 11);
    FillOutlined(cr, kCrabBelly, kInk, 1.5);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 22 + 10 * i, 26);
        cairo_line_to(cr, 22 + 10 * i, 38);
    }
    SetColour(cr, Darker(kCrabBelly, 0.3));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    Eye(cr, 27, 46, 3.4, 0, 0, true);
    Eye(cr, 37, 46, 3.4, 0, 0, true);
    Twinkle(cr, 10, 44, 3.5, FromRgb(255, 240, 120));
    Twinkle(cr, 54, 46, 3, FromRgb(255, 240, 120));
}

bool WriteCrab(const std::string& outDir, const std::string& name, const CrabLook& look) {
    PictureCanvas canvas(kWidth, kHeight, PictureKey::Corner);
    cairo_t* cr = canvas.Cairo();
    if (look.upsideDown) {
        DrawUpsideDown(cr, look);
    } else {
        DrawLegs(cr, look);
        DrawShell(cr, look);
        DrawEyes(cr, look);
        DrawSmallClaw(cr, look);
        DrawBigClaw(cr, look);
    }
    return SaveBossPicture(canvas, outDir, name);
}

bool WriteCrabLeg(const std::string& outDir) {
    PictureCanvas canvas(20, 12, PictureKey::Corner);
    cairo_t* cr = canvas.Cairo();
    cairo_move_to(cr, 3, 4);
    cairo_line_to(cr, 11, 3);
    cairo_line_to(cr, 17, 9);
    StrokeOutlined(cr, kCrabShell, kInk, 2.6, 0.9);
    AddEllipse(cr, 3, 4, 2, 1.8);
    FillOutlined(cr, kCrabBelly, kInk, 0.7);
    return SaveBossPicture(canvas, outDir, "crableg.bmp");
}

}  // namespace

bool WriteCrabPictures(const std::string& outDir) {
    static const double kStride[4] = {0, 1, 0, -1};
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        CrabLook look;
        look.stride = kStride[i];
        ok = WriteCrab(outDir, i == 0 ? "crab.bmp" : "crab" + std::to_string(i) + ".bmp", look) &&
             ok;
    }
    for (int i = 1; i <= 3; ++i) {
        CrabLook look;
        look.stride = kStride[i];
        look.battered = true;
        look.missingLeg = true;
        ok = WriteCrab(outDir, "crab0" + std::to_string(i) + ".bmp", look) && ok;
    }
    for (int i = 1; i <= 4; ++i) {
        CrabLook look;
        look.clawAngle = (i - 1) / 3.0;
        ok = WriteCrab(outDir, "crabthrow" + std::to_string(i) + ".bmp", look) && ok;
    }
    CrabLook flash;
    flash.flash = true;
    ok = WriteCrab(outDir, "crabhitted1.bmp", flash) && ok;
    CrabLook fallen;
    fallen.battered = true;
    fallen.upsideDown = true;
    ok = WriteCrab(outDir, "crabhitted2.bmp", fallen) && ok;
    return WriteCrabLeg(outDir) && ok;
}

}  // namespace assetgen
