// The wizard of the last episode: hovering either way, riding off to a new spot, struck,
// his spinning broom in four quarter turns and his three magic balls.
#include <cmath>
#include <string>

#include "tools/assetgen/BossFamilies.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

constexpr int kWizardWidth = 50, kWizardHeight = 60;
constexpr Colour kRobe = FromRgb(92, 72, 196);
constexpr Colour kSkin = FromRgb(250, 212, 176);
constexpr Colour kBeard = FromRgb(236, 236, 244);

enum class WizardLook { Hover, Riding, Struck };

void DrawStar(cairo_t* cr, double cx, double cy, double r, Colour c) {
    for (int i = 0; i < 10; ++i) {
        const double rr = i % 2 ? r * 0.45 : r;
        const double a = -M_PI / 2 + i * M_PI / 5;
        if (i == 0) {
            cairo_move_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
        } else {
            cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
        }
    }
    cairo_close_path(cr);
    FillOutlined(cr, c, kInk, 0.7);
}

void DrawRobe(cairo_t* cr, WizardLook look, Colour robe) {
    if (look == WizardLook::Riding) {
        // Leaning into the flight, the hem streaming out behind.
        cairo_move_to(cr, 18, 30);
        cairo_line_to(cr, 34, 31);
        cairo_line_to(cr, 38, 50);
        cairo_curve_to(cr, 26, 52, 12, 56, 2, 52);
        cairo_curve_to(cr, 8, 46, 12, 40, 18, 30);
    } else {
        cairo_move_to(cr, 17, 30);
        cairo_line_to(cr, 34, 30);
        cairo_line_to(cr, 41, 57);
        cairo_curve_to(cr, 30, 59, 20, 59, 9, 57);
    }
    cairo_close_path(cr);
    SetVerticalGradient(cr, 30, Lighter(robe, 0.15), 58, Darker(robe, 0.3));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_rectangle(cr, 16, 40, look == WizardLook::Riding ? 21 : 22, 3);
    FillOutlined(cr, kGold, kInk, 0.8);
    DrawStar(cr, 22, 49, 2.6, kGold);
}

void DrawHead(cairo_t* cr, WizardLook look) {
    cairo_arc(cr, 26, 25, 6, 0, 2 * M_PI);
    FillOutlined(cr, kSkin, kInk, 1.1);
    // Beard.
    cairo_move_to(cr, 19.5, 26);
    cairo_curve_to(cr, 22, 30, 31, 30, 33, 26);
    cairo_curve_to(cr, 33, 33, 30, 38, 27, 42);
    cairo_curve_to(cr, 25, 38, 21, 34, 19.5, 26);
    cairo_close_path(cr);
    FillOutlined(cr, kBeard, kInk, 1.0);
    if (look == WizardLook::Struck) {
        for (int side = 0; side < 2; ++side) {
            const double ex = 25 + side * 5;
            cairo_move_to(cr, ex - 1.4, 22.6);
            cairo_line_to(cr, ex + 1.4, 25.4);
            cairo_move_to(cr, ex + 1.4, 22.6);
            cairo_line_to(cr, ex - 1.4, 25.4);
        }
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    } else {
        cairo_arc(cr, 29, 24, 1.1, 0, 2 * M_PI);
        SetColour(cr, kInk);
        cairo_fill(cr);
    }
    cairo_arc(cr, 32, 26.5, 1.5, 0, 2 * M_PI);
    FillOutlined(cr, Darker(kSkin, 0.1), kInk, 0.7);
}

void DrawHat(cairo_t* cr, Colour robe, bool blownBack) {
    const double tipX = blownBack ? 8 : 34, tipY = blownBack ? 6 : 1;
    cairo_move_to(cr, 14, 20);
    cairo_curve_to(cr, 20, 14, 22, 6, tipX, tipY);
    cairo_curve_to(cr, 28, 8, 32, 14, 37, 20);
    cairo_close_path(cr);
    SetVerticalGradient(cr, 0, Lighter(robe, 0.2), 20, Darker(robe, 0.1));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    AddEllipse(cr, 25.5, 20, 14, 3.2);
    FillOutlined(cr, Darker(robe, 0.2), kInk, 1.1);
    DrawStar(cr, 25, 13, 2.6, kGold);
}

void DrawWandArm(cairo_t* cr, Colour robe, bool outstretched) {
    const double hx = outstretched ? 45 : 42, hy = outstretched ? 32 : 37;
    cairo_move_to(cr, 32, 33);
    cairo_line_to(cr, hx - 2, hy);
    StrokeOutlined(cr, Darker(robe, 0.1), kInk, 4.4, 1);
    cairo_move_to(cr, hx - 1, hy + 2);
    cairo_line_to(cr, hx + 3, hy - 11);
    StrokeOutlined(cr, FromRgb(150, 96, 54), kInk, 1.8, 0.8);
    cairo_arc(cr, hx - 1, hy, 2, 0, 2 * M_PI);
    FillOutlined(cr, kSkin, kInk, 0.8);
    DrawStar(cr, hx + 3, hy - 13, 3.4, FromRgb(255, 240, 140));
}

void DrawWizard(cairo_t* cr, WizardLook look) {
    const Colour robe = look == WizardLook::Struck ? Mix(kRobe, kWhite, 0.55) : kRobe;
    if (look == WizardLook::Hover) {
        // A soft swirl of magic under the hem keeps him aloft.
        for (int i = 0; i < 3; ++i) {
            cairo_arc(cr, 14 + i * 11, 57.5 - (i % 2), 1.6, 0, 2 * M_PI);
            FillOutlined(cr, FromRgb(160, 230, 255), kDeepInk, 0.6);
        }
    }
    DrawRobe(cr, look, robe);
    DrawHat(cr, robe, look == WizardLook::Riding);
    DrawHead(cr, look);
    DrawWandArm(cr, robe, look == WizardLook::Riding);
    if (look == WizardLook::Struck) {
        DrawStar(cr, 9, 9, 3, kGold);
        DrawStar(cr, 42, 6, 2.6, kGold);
        DrawStar(cr, 6, 28, 2.4, FromRgb(160, 230, 255));
    }
}

bool WriteWizard(const std::string& outDir, const char* name, WizardLook look, bool facingLeft) {
    PictureCanvas picture(kWizardWidth, kWizardHeight, PictureKey::Red);
    cairo_t* cr = picture.Cairo();
    if (facingLeft) {
        cairo_translate(cr, kWizardWidth, 0);
        cairo_scale(cr, -1, 1);
    }
    DrawWizard(cr, look);
    return picture.WriteBmp24(PicturePath(outDir, name));
}

// The broom with its handle end at the top-left corner and the bristles at the bottom right.
void DrawBroom(cairo_t* cr) {
    cairo_move_to(cr, 2, 2);
    cairo_line_to(cr, 19, 19);
    StrokeOutlined(cr, FromRgb(164, 108, 60), kInk, 2.6, 0.9);
    cairo_move_to(cr, 16, 21);
    cairo_line_to(cr, 21, 16);
    cairo_line_to(cr, 29, 26);
    cairo_curve_to(cr, 29, 29, 29, 29, 26, 29);
    cairo_close_path(cr);
    FillOutlined(cr, FromRgb(236, 196, 96), kInk, 1.1);
    cairo_move_to(cr, 19, 22);
    cairo_line_to(cr, 26, 28);
    cairo_move_to(cr, 22, 19);
    cairo_line_to(cr, 28, 26);
    SetColour(cr, FromRgb(180, 130, 50));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_rectangle(cr, 15.5, 16.5, 4, 2.5);
    cairo_move_to(cr, 16.5, 21.5);
    cairo_line_to(cr, 21.5, 16.5);
    StrokeOutlined(cr, kRobe, kInk, 1.6, 0.7);
}

bool WriteBrooms(const std::string& outDir) {
    bool ok = true;
    for (int turn = 0; turn < 4; ++turn) {
        // Each quarter turn anticlockwise moves the handle end to the next corner: top-left,
        // bottom-left, bottom-right, top-right, where the game anchors each picture.
        PictureCanvas broom(30, 30, PictureKey::Red);
        cairo_t* cr = broom.Cairo();
        cairo_translate(cr, 15, 15);
        cairo_rotate(cr, -turn * M_PI / 2);
        cairo_translate(cr, -15, -15);
        DrawBroom(cr);
        ok = broom.WriteBmp24(PicturePath(outDir, "broom" + std::to_string(turn) + ".bmp")) && ok;
    }
    return ok;
}

bool WriteMagicBalls(const std::string& outDir) {
    const Colour glows[3] = {FromRgb(230, 120, 250), FromRgb(110, 220, 255), FromRgb(255, 220, 90)};
    const char* names[3] = {"wizardball.bmp", "wizardball1.bmp", "wizardball2.bmp"};
    bool ok = true;
    for (int i = 0; i < 3; ++i) {
        PictureCanvas ball(12, 12, PictureKey::Black);
        cairo_t* cr = ball.Cairo();
        cairo_pattern_t* orb = cairo_pattern_create_radial(4.5, 4.5, 0.5, 6, 6, 5.4);
        cairo_pattern_add_color_stop_rgb(orb, 0, 1, 1, 1);
        cairo_pattern_add_color_stop_rgb(orb, 0.5, glows[i].r, glows[i].g, glows[i].b);
        const Colour edge = Darker(glows[i], 0.35);
        cairo_pattern_add_color_stop_rgb(orb, 1, edge.r, edge.g, edge.b);
        cairo_arc(cr, 6, 6, 5.2, 0, 2 * M_PI);
        cairo_set_source(cr, orb);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(orb);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        ok = ball.WriteBmp24(PicturePath(outDir, names[i])) && ok;
    }
    return ok;
}

}  // namespace

bool WriteWizardPictures(const std::string& outDir) {
    bool ok = WriteWizard(outDir, "wizard.bmp", WizardLook::Hover, false);
    ok = WriteWizard(outDir, "wizard1.bmp", WizardLook::Hover, true) && ok;
    ok = WriteWizard(outDir, "wizardweapon.bmp", WizardLook::Riding, false) && ok;
    ok = WriteWizard(outDir, "wizardhitted.bmp", WizardLook::Struck, false) && ok;
    ok = WriteBrooms(outDir) && ok;
    ok = WriteMagicBalls(outDir) && ok;
    return ok;
}

}  // namespace assetgen
