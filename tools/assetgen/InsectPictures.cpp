// The giant dragonfly of the first episode: wings beating while it rests, spread while it
// charges the sparks in its front claws, torn and cracked when damaged, pale when struck.
#include <cmath>
#include <string>

#include "tools/assetgen/BossFamilies.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

constexpr int kInsectSize = 52;
constexpr Colour kCarapace = FromRgb(52, 172, 132);
constexpr Colour kWing = FromRgb(196, 232, 250);

struct InsectPose {
    double wingAngle = 0.5;  // radians above the horizontal
    bool charging = false;
    bool damaged = false;
    bool struck = false;
};

void DrawWing(cairo_t* cr, double side, double angle, double length, bool torn) {
    cairo_save(cr);
    cairo_translate(cr, 26 + side * 4, 21);
    cairo_scale(cr, side, 1);
    cairo_rotate(cr, -angle);
    if (torn) {
        cairo_move_to(cr, 0, -3);
        cairo_curve_to(cr, length * 0.4, -6, length * 0.6, -5, length * 0.62, -2);
        cairo_line_to(cr, length * 0.5, 0);
        cairo_line_to(cr, length * 0.6, 2.5);
        cairo_curve_to(cr, length * 0.4, 4, length * 0.2, 3, 0, 3);
        cairo_close_path(cr);
    } else {
        AddEllipse(cr, length / 2, 0, length / 2, 4.2);
    }
    FillOutlined(cr, kWing, FromRgb(40, 70, 110), 1.1);
    cairo_move_to(cr, 2, 0);
    cairo_line_to(cr, length * (torn ? 0.5 : 0.9), 0);
    SetColour(cr, FromRgb(120, 170, 210));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawClaws(cairo_t* cr, Colour body) {
    // Front claws end where the game draws the charged sparks (box points 8,32 and 36,32).
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 26 + side * 5, 25);
        cairo_line_to(cr, 26 + side * 12, 27);
        cairo_line_to(cr, 26 + side * 17, 31);
        StrokeOutlined(cr, Darker(body, 0.2), kInk, 2.2, 0.9);
        cairo_move_to(cr, 26 + side * 4, 30);
        cairo_line_to(cr, 26 + side * 9, 38);
        cairo_line_to(cr, 26 + side * 11, 44);
        StrokeOutlined(cr, Darker(body, 0.2), kInk, 1.8, 0.8);
    }
}

void DrawBody(cairo_t* cr, const InsectPose& p, Colour body) {
    AddEllipse(cr, 26, 37, 5.5, 12);
    SetVerticalGradient(cr, 25, Lighter(body, 0.2), 49, Darker(body, 0.3));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        cairo_move_to(cr, 21.5, 32 + i * 4.2);
        cairo_line_to(cr, 30.5, 32 + i * 4.2);
        SetColour(cr, FromRgb(250, 214, 70));
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
    AddEllipse(cr, 26, 22, 8, 6.5);
    SetVerticalGradient(cr, 15, Lighter(body, 0.3), 29, Darker(body, 0.2));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (p.damaged) {
        cairo_move_to(cr, 22, 18);
        cairo_line_to(cr, 25, 22);
        cairo_line_to(cr, 23, 26);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
}

void DrawHead(cairo_t* cr, const InsectPose& p, Colour body) {
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 26 + side * 2, 7);
        cairo_curve_to(cr, 26 + side * 4, 2, 26 + side * 8, 1, 26 + side * 10, 2.5);
        StrokeOutlined(cr, p.charging ? FromRgb(255, 240, 120) : Darker(body, 0.3), kInk, 1.3, 0.7);
    }
    cairo_arc(cr, 26, 11, 6.5, 0, 2 * M_PI);
    FillOutlined(cr, body, kInk, 1.2);
    const Colour eye = p.struck     ? kWhite
                       : p.charging ? FromRgb(255, 236, 90)
                                    : FromRgb(236, 96, 40);
    for (int side = -1; side <= 1; side += 2) {
        AddEllipse(cr, 26 + side * 4.8, 10.5, 4, 4.6);
        FillOutlined(cr, eye, kInk, 1.0);
        cairo_arc(cr, 26 + side * 4.8 - 1.2, 9, 1.1, 0, 2 * M_PI);
        SetColour(cr, kWhite);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 23.5, 15.5);
    cairo_line_to(cr, 28.5, 15.5);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void DrawInsect(cairo_t* cr, const InsectPose& p) {
    Colour body = p.damaged ? Mix(kCarapace, FromRgb(110, 100, 80), 0.45) : kCarapace;
    if (p.struck) body = Mix(body, kWhite, 0.6);
    for (int side = -1; side <= 1; side += 2) {
        DrawWing(cr, side, p.wingAngle, 22, p.damaged && side > 0);
        DrawWing(cr, side, p.wingAngle - 0.55, 18, false);
    }
    DrawClaws(cr, body);
    DrawBody(cr, p, body);
    DrawHead(cr, p, body);
}

bool WriteInsect(const std::string& outDir, const std::string& name, const InsectPose& pose) {
    PictureCanvas picture(kInsectSize, kInsectSize, PictureKey::Corner);
    DrawInsect(picture.Cairo(), pose);
    return picture.WriteBmp24(PicturePath(outDir, name));
}

}  // namespace

bool WriteInsectPictures(const std::string& outDir) {
    // Frames 0 and 1 beat the wings while resting; 2 and 3 hold them spread while charging.
    const double wings[4] = {0.75, 0.2, 0.45, 0.38};
    bool ok = true;
    for (int damaged = 0; damaged < 2; ++damaged) {
        for (int frame = 0; frame < 4; ++frame) {
            InsectPose pose;
            pose.wingAngle = wings[frame];
            pose.charging = frame >= 2;
            pose.damaged = damaged;
            const std::string name =
                std::string(damaged ? "insect0" : "insect") + std::to_string(frame) + ".bmp";
            ok = WriteInsect(outDir, name, pose) && ok;
        }
    }
    InsectPose struck;
    struck.struck = true;
    return WriteInsect(outDir, "insecthitted.bmp", struck) && ok;
}

}  // namespace assetgen
