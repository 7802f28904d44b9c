// The crab of the second episode: four walking frames, three damaged ones with a leg gone,
// four throw poses, two struck looks and the leg that falls off.
#include <cmath>
#include <string>

#include "tools/assetgen/BossFamilies.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

constexpr int kCrabWidth = 64, kCrabHeight = 56;
constexpr Colour kShell = FromRgb(228, 92, 52);

struct CrabPose {
    int step = 0;          // walking frame: which legs are lifted
    double throwArm = -1;  // -1 no throw, else 0..3 through the throw
    bool damaged = false;  // cracked shell, the back left leg gone
    bool struck = false;   // pale flash, eyes squeezed shut
};

Colour ShellColour(const CrabPose& p) {
    Colour c = p.damaged ? Mix(kShell, FromRgb(120, 70, 60), 0.35) : kShell;
    return p.struck ? Mix(c, kWhite, 0.6) : c;
}

void DrawLeg(cairo_t* cr, double hipX, double hipY, double side, double lift, Colour shell) {
    cairo_move_to(cr, hipX, hipY);
    cairo_line_to(cr, hipX + side * 9, hipY + 1 - lift);
    cairo_line_to(cr, hipX + side * 13, hipY + 10 - lift);
    StrokeOutlined(cr, Darker(shell, 0.1), kInk, 2.6, 0.9);
}

void DrawLegs(cairo_t* cr, const CrabPose& p, Colour shell) {
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 3; ++i) {
            if (p.damaged && side < 0 && i == 2) continue;  // the leg that fell off
            const bool lifted = (i + p.step + (side > 0)) % 2 == 0;
            DrawLeg(cr, 32 + side * 15, 37 + 3 * i, side, lifted ? 2.5 : 0, shell);
        }
    }
}

void DrawClaw(cairo_t* cr, double shoulderX, double shoulderY, double clawX, double clawY,
              double side, Colour shell) {
    cairo_move_to(cr, shoulderX, shoulderY);
    cairo_line_to(cr, clawX, clawY + 5);
    StrokeOutlined(cr, Darker(shell, 0.05), kInk, 3.6, 1);
    AddEllipse(cr, clawX, clawY, 6.5, 5.5);
    SetVerticalGradient(cr, clawY - 6, Lighter(shell, 0.2), clawY + 6, Darker(shell, 0.15));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // The pincer's gap.
    cairo_move_to(cr, clawX - side * 1, clawY - 5.5);
    cairo_line_to(cr, clawX + side * 2.5, clawY - 0.5);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

void DrawEyes(cairo_t* cr, const CrabPose& p, Colour shell) {
    for (int side = -1; side <= 1; side += 2) {
        const double ex = 32 + side * 6, ey = 19;
        cairo_move_to(cr, 32 + side * 4, 27);
        cairo_line_to(cr, ex, ey + 2);
        StrokeOutlined(cr, shell, kInk, 1.8, 0.8);
        cairo_arc(cr, ex, ey, 3.2, 0, 2 * M_PI);
        FillOutlined(cr, kWhite, kInk, 1.0);
        if (p.struck) {
            cairo_move_to(cr, ex - 2, ey);
            cairo_line_to(cr, ex + 2, ey);
            SetColour(cr, kInk);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        } else {
            cairo_arc(cr, ex + side * 0.6, ey + 0.5, 1.4, 0, 2 * M_PI);
            SetColour(cr, kInk);
            cairo_fill(cr);
        }
    }
}

void DrawShell(cairo_t* cr, const CrabPose& p, Colour shell) {
    AddEllipse(cr, 32, 34, 20, 11.5);
    SetVerticalGradient(cr, 22, Lighter(shell, 0.25), 46, Darker(shell, 0.25));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    for (int i = -1; i <= 1; ++i) {
        cairo_arc(cr, 32 + i * 8, 31 - std::abs(i) * 1.0, 1.6, 0, 2 * M_PI);
        SetColour(cr, Lighter(shell, 0.45));
        cairo_fill(cr);
    }
    cairo_move_to(cr, 27, 39);
    cairo_curve_to(cr, 30, 41, 34, 41, 37, 39);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    if (!p.damaged) return;
    cairo_move_to(cr, 20, 27);
    cairo_line_to(cr, 25, 32);
    cairo_line_to(cr, 22, 36);
    cairo_move_to(cr, 42, 26);
    cairo_line_to(cr, 39, 31);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    AddRoundedRect(cr, 41, 33, 8, 3.5, 1);
    FillOutlined(cr, FromRgb(240, 232, 210), kInk, 0.8);
}

void DrawCrab(cairo_t* cr, const CrabPose& p) {
    const Colour shell = ShellColour(p);
    DrawLegs(cr, p, shell);
    const double bob = p.step % 2 ? 1 : 0;
    cairo_save(cr);
    cairo_translate(cr, 0, bob);
    DrawClaw(cr, 16, 32, 9, 17, -1, shell);
    if (p.throwArm < 0) {
        DrawClaw(cr, 48, 32, 55, 17, 1, shell);
    } else {
        // The right claw swings back, up, over and down through the throw.
        const double a = -0.3 - p.throwArm * 0.9;
        DrawClaw(cr, 48, 32, 48 + 14 * std::cos(a), 30 + 24 * std::sin(a) * 0.9, 1, shell);
    }
    DrawShell(cr, p, shell);
    DrawEyes(cr, p, shell);
    cairo_restore(cr);
}

bool WriteCrab(const std::string& outDir, const std::string& name, const CrabPose& pose) {
    PictureCanvas picture(kCrabWidth, kCrabHeight, PictureKey::Corner);
    DrawCrab(picture.Cairo(), pose);
    return picture.WriteBmp24(PicturePath(outDir, name));
}

bool WriteLeg(const std::string& outDir) {
    PictureCanvas leg(20, 12, PictureKey::Corner);
    cairo_t* cr = leg.Cairo();
    cairo_move_to(cr, 2.5, 3);
    cairo_line_to(cr, 11, 4);
    cairo_line_to(cr, 17, 9.5);
    StrokeOutlined(cr, Darker(kShell, 0.1), kInk, 2.6, 0.9);
    return leg.WriteBmp24(PicturePath(outDir, "crableg.bmp"));
}

}  // namespace

bool WriteCrabPictures(const std::string& outDir) {
    const char* walking[4] = {"crab.bmp", "crab1.bmp", "crab2.bmp", "crab3.bmp"};
    bool ok = true;
    for (int step = 0; step < 4; ++step) {
        CrabPose pose;
        pose.step = step;
        ok = WriteCrab(outDir, walking[step], pose) && ok;
    }
    for (int step = 1; step <= 3; ++step) {
        CrabPose pose;
        pose.step = step;
        pose.damaged = true;
        ok = WriteCrab(outDir, "crab0" + std::to_string(step) + ".bmp", pose) && ok;
    }
    for (int t = 0; t < 4; ++t) {
        CrabPose pose;
        pose.throwArm = t;
        ok = WriteCrab(outDir, "crabthrow" + std::to_string(t + 1) + ".bmp", pose) && ok;
    }
    CrabPose struck;
    struck.struck = true;
    ok = WriteCrab(outDir, "crabhitted1.bmp", struck) && ok;
    struck.damaged = true;
    ok = WriteCrab(outDir, "crabhitted2.bmp", struck) && ok;
    return WriteLeg(outDir) && ok;
}

}  // namespace assetgen
