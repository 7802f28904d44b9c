// The characters beside the launcher: the rival (a crested lake bird), the big koi that swings
// on every launch and the otter that turns the launcher's crank.
#include <cmath>
#include <string>

#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

constexpr Colour kRivalBody = FromRgb(128, 92, 214);
constexpr Colour kRivalBelly = FromRgb(222, 214, 250);
constexpr Colour kBeak = FromRgb(252, 164, 48);

struct RivalPose {
    double stride = 0;     // -1..1, which leg is forward
    double bob = 0;        // body raised (negative) or lowered
    double wingLift = 0;   // 0 folded, 1 raised high
    bool slumped = false;  // head down, crest drooping, a tear
    bool beakOpen = false;
};

void DrawRivalLegs(cairo_t* cr, const RivalPose& p) {
    const double feet[2] = {13 + 3.5 * p.stride, 18 - 3.5 * p.stride};
    const double hips[2] = {13.5, 18};
    for (int i = 0; i < 2; ++i) {
        cairo_move_to(cr, hips[i], 38 + p.bob);
        cairo_line_to(cr, feet[i], 45);
        cairo_line_to(cr, feet[i] - 3.2, 45.6);
        StrokeOutlined(cr, kBeak, kInk, 1.7, 0.8);
    }
}

void DrawRivalCrest(cairo_t* cr, double hx, double hy, bool slumped) {
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, hx + 1, hy - 5.5);
        if (slumped) {
            cairo_line_to(cr, hx + 6 + i, hy - 3 + 1.5 * i);
        } else {
            cairo_line_to(cr, hx + 3 + 2.2 * i, hy - 12 + 2 * i);
        }
        StrokeOutlined(cr, kBeak, kInk, 1.6, 0.7);
    }
}

void DrawRivalHead(cairo_t* cr, double hx, double hy, const RivalPose& p) {
    DrawRivalCrest(cr, hx, hy, p.slumped);
    // Beak towards the left: the picture faces left unless mirrored.
    cairo_move_to(cr, hx - 5, hy - 2);
    cairo_line_to(cr, hx - 11.5, hy + (p.beakOpen ? -1 : 0.8));
    cairo_line_to(cr, hx - 5, hy + 1.2);
    if (p.beakOpen) {
        cairo_line_to(cr, hx - 10.5, hy + 4);
        cairo_line_to(cr, hx - 4.5, hy + 3);
    }
    cairo_close_path(cr);
    FillOutlined(cr, kBeak, kInk, 1.0);
    cairo_arc(cr, hx, hy, 6.6, 0, 2 * M_PI);
    SetVerticalGradient(cr, hy - 7, Lighter(kRivalBody, 0.25), hy + 7, kRivalBody);
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (p.slumped) {
        cairo_move_to(cr, hx - 3.8, hy - 0.8);
        cairo_line_to(cr, hx - 0.6, hy - 0.2);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        AddEllipse(cr, hx - 2.4, hy + 3.2, 1.1, 1.6);
        FillOutlined(cr, FromRgb(140, 210, 255), kDeepInk, 0.6);
        return;
    }
    cairo_arc(cr, hx - 2.2, hy - 1, 2.3, 0, 2 * M_PI);
    FillOutlined(cr, kWhite, kInk, 0.8);
    cairo_arc(cr, hx - 2.8, hy - 1, 1.1, 0, 2 * M_PI);
    SetColour(cr, kInk);
    cairo_fill(cr);
}

void DrawRivalWing(cairo_t* cr, double bx, double by, double lift) {
    cairo_save(cr);
    cairo_translate(cr, bx + 3, by - 4);
    cairo_rotate(cr, -lift * 2.2);
    AddEllipse(cr, 0, 6, 3.6, 7);
    FillOutlined(cr, Darker(kRivalBody, 0.25), kInk, 1.0);
    cairo_restore(cr);
}

// Draws the rival facing left with its feet on the bottom of a 30 x 48 box at (ox, oy).
void DrawRival(cairo_t* cr, double ox, double oy, const RivalPose& p) {
    cairo_save(cr);
    cairo_translate(cr, ox, oy);
    DrawRivalLegs(cr, p);
    const double bx = 16, by = 30 + p.bob + (p.slumped ? 2 : 0);
    AddEllipse(cr, bx, by, 9.4, 10);
    SetVerticalGradient(cr, by - 10, Lighter(kRivalBody, 0.15), by + 10, Darker(kRivalBody, 0.2));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    AddEllipse(cr, bx - 3, by + 2, 5.4, 7);
    SetColour(cr, kRivalBelly);
    cairo_fill(cr);
    DrawRivalWing(cr, bx, by, p.wingLift);
    const double hx = p.slumped ? 11 : 13, hy = p.slumped ? by - 6 : 15 + p.bob;
    DrawRivalHead(cr, hx, hy, p);
    cairo_restore(cr);
}

void MirrorBox(cairo_t* cr, double width) {
    cairo_translate(cr, width, 0);
    cairo_scale(cr, -1, 1);
}

bool WriteRivalFrame(const std::string& outDir, const std::string& name, const RivalPose& pose,
                     bool facingRight) {
    PictureCanvas picture(30, 48, PictureKey::Red);
    cairo_t* cr = picture.Cairo();
    if (facingRight) MirrorBox(cr, 30);
    DrawRival(cr, 0, 0, pose);
    return picture.WriteBmp24(PicturePath(outDir, name));
}

bool WriteRivalWalk(const std::string& outDir) {
    const double strides[3] = {-1, 0, 1};
    const double bobs[3] = {0, -1, 0};
    bool ok = true;
    for (int i = 0; i < 6; ++i) {
        RivalPose pose;
        pose.stride = strides[i % 3];
        pose.bob = bobs[i % 3];
        ok = WriteRivalFrame(outDir, "bad" + std::to_string(i) + ".bmp", pose, i >= 3) && ok;
    }
    return ok;
}

bool WriteRivalMoods(const std::string& outDir) {
    bool ok = true;
    for (int i = 0; i < 3; ++i) {
        RivalPose win;
        win.wingLift = i == 1 ? 0.6 : 1.0;
        win.bob = i == 1 ? 0 : -2;
        win.beakOpen = true;
        ok = WriteRivalFrame(outDir, "badwin" + std::to_string(i) + ".bmp", win, i == 2) && ok;
        RivalPose lose;
        lose.slumped = true;
        lose.bob = i == 1 ? 1 : 2;
        lose.wingLift = -0.15 * i;
        ok = WriteRivalFrame(outDir, "badlose" + std::to_string(i) + ".bmp", lose, false) && ok;
    }
    return ok;
}

void DrawFlag(cairo_t* cr, int frame) {
    // Pole from the bird's wing up and to the left; the cloth flies out to the left.
    cairo_move_to(cr, 34, 58);
    cairo_line_to(cr, 14, 4);
    StrokeOutlined(cr, kBrass, kInk, 2.2, 0.9);
    const double wave = frame == 0 ? 3 : -3;
    cairo_move_to(cr, 14, 5);
    cairo_curve_to(cr, 9, 5 - wave, 6, 5 + wave, 1.5, 6);
    cairo_line_to(cr, 4.5, 25);
    cairo_curve_to(cr, 9, 24 + wave, 13, 25 - wave, 20, 24);
    cairo_close_path(cr);
    FillOutlined(cr, FromRgb(250, 200, 60), kInk, 1.2);
    cairo_arc(cr, 10.5, 15, 4, 0, 2 * M_PI);
    FillOutlined(cr, kRivalBody, kInk, 1.0);
    cairo_arc(cr, 15, 3, 2, 0, 2 * M_PI);
    FillOutlined(cr, kGold, kInk, 0.8);
}

bool WriteRivalFlags(const std::string& outDir) {
    bool ok = true;
    for (int frame = 0; frame < 2; ++frame) {
        // The game draws these 20 left and 30 up of the walking place: the bird sits at (20, 30).
        PictureCanvas picture(52, 78, PictureKey::Red);
        cairo_t* cr = picture.Cairo();
        RivalPose pose;
        pose.wingLift = 0.8;
        pose.bob = frame == 0 ? 0 : -1;
        pose.beakOpen = frame == 1;
        DrawFlag(cr, frame);
        DrawRival(cr, 20, 30, pose);
        ok = picture.WriteBmp24(PicturePath(outDir, "badflag" + std::to_string(frame) + ".bmp")) &&
             ok;
    }
    return ok;
}

constexpr Colour kKoi = FromRgb(250, 128, 44);

void DrawKoi(cairo_t* cr, double stretch) {
    // Upright, head up, balancing on its tail fan.
    cairo_move_to(cr, 14, 27);
    cairo_curve_to(cr, 8, 31, 6, 34, 6, 35);
    cairo_line_to(cr, 22, 35);
    cairo_curve_to(cr, 22, 34, 20, 31, 14, 27);
    cairo_close_path(cr);
    FillOutlined(cr, Lighter(kKoi, 0.2), kInk, 1.1);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 14 + side * 7, 17);
        cairo_line_to(cr, 14 + side * 13, 20 - 5 * stretch);
        cairo_line_to(cr, 14 + side * 8, 23);
        cairo_close_path(cr);
        FillOutlined(cr, Lighter(kKoi, 0.35), kInk, 1.0);
    }
    const double top = 3 - 2 * stretch;
    AddEllipse(cr, 14, (top + 29) / 2, 8, (29 - top) / 2);
    SetVerticalGradient(cr, top, Lighter(kKoi, 0.2), 29, Darker(kKoi, 0.15));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    AddEllipse(cr, 16, 19, 3.8, 5);
    SetColour(cr, FromRgb(246, 244, 250));
    cairo_fill(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, 14 + side * 3.6, top + 6, 1.8, 0, 2 * M_PI);
        FillOutlined(cr, kWhite, kInk, 0.7);
        cairo_arc(cr, 14 + side * 3.6, top + 6.3, 0.8, 0, 2 * M_PI);
        SetColour(cr, kInk);
        cairo_fill(cr);
    }
    AddEllipse(cr, 14, top + 1.6, 2.2, 1.2);
    SetColour(cr, kDeepInk);
    cairo_fill(cr);
}

bool WriteBigFish(const std::string& outDir) {
    bool ok = true;
    for (int frame = 0; frame < 3; ++frame) {
        PictureCanvas picture(28, 36, PictureKey::Red);
        cairo_t* cr = picture.Cairo();
        if (frame == 1) {
            // The swing: leaning towards the launcher from the tail.
            cairo_translate(cr, 14, 35);
            cairo_rotate(cr, 0.22);
            cairo_translate(cr, -14, -35);
        }
        DrawKoi(cr, frame == 2 ? 1 : 0);
        ok = picture.WriteBmp24(PicturePath(outDir, "bigfish" + std::to_string(frame) + ".bmp")) &&
             ok;
    }
    return ok;
}

constexpr Colour kOtter = FromRgb(156, 104, 60);

void DrawOtter(cairo_t* cr, int frame) {
    // The crank hub sits on the left, towards the small gear; three quarter-ish turns.
    const double hubX = 5, hubY = 19;
    const double a = (-90 - frame * 120) * M_PI / 180;
    const double hx = hubX + 5 * std::cos(a), hy = hubY + 5 * std::sin(a);
    cairo_move_to(cr, 24, 29);
    cairo_curve_to(cr, 29, 27, 28, 19, 25, 16);
    StrokeOutlined(cr, Darker(kOtter, 0.2), kInk, 3, 0.9);
    AddEllipse(cr, 18, 22, 7, 8.6);
    SetVerticalGradient(cr, 13, Lighter(kOtter, 0.1), 31, Darker(kOtter, 0.25));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    AddEllipse(cr, 16.5, 23.5, 3.8, 5.5);
    SetColour(cr, FromRgb(236, 214, 170));
    cairo_fill(cr);
    AddEllipse(cr, 15, 30.4, 3, 1.3);
    AddEllipse(cr, 21, 30.4, 3, 1.3);
    FillOutlined(cr, Darker(kOtter, 0.3), kInk, 0.8);
    cairo_arc(cr, hubX, hubY, 3, 0, 2 * M_PI);
    FillOutlined(cr, kSteel, kInk, 1.0);
    cairo_move_to(cr, hubX, hubY);
    cairo_line_to(cr, hx, hy);
    StrokeOutlined(cr, kBrass, kInk, 1.6, 0.7);
    cairo_move_to(cr, 15, 18);
    cairo_line_to(cr, hx + 1, hy);
    StrokeOutlined(cr, kOtter, kInk, 2.6, 0.8);
    cairo_arc(cr, hx, hy, 1.7, 0, 2 * M_PI);
    FillOutlined(cr, Lighter(kBrass, 0.3), kInk, 0.7);
    for (int side = 0; side < 2; ++side) {
        cairo_arc(cr, 12.5 + side * 7, 4.6, 1.8, 0, 2 * M_PI);
        FillOutlined(cr, Darker(kOtter, 0.2), kInk, 0.8);
    }
    cairo_arc(cr, 16, 9.5, 6, 0, 2 * M_PI);
    FillOutlined(cr, kOtter, kInk, 1.1);
    AddEllipse(cr, 11.8, 11, 3.2, 2.4);
    SetColour(cr, FromRgb(236, 214, 170));
    cairo_fill(cr);
    AddEllipse(cr, 9.4, 10, 1.2, 0.9);
    SetColour(cr, kInk);
    cairo_fill(cr);
    cairo_arc(cr, 14, 7.6, 1.1, 0, 2 * M_PI);
    cairo_fill(cr);
}

bool WriteOtter(const std::string& outDir) {
    bool ok = true;
    for (int frame = 0; frame < 3; ++frame) {
        PictureCanvas picture(28, 32, PictureKey::Red);
        DrawOtter(picture.Cairo(), frame);
        ok = picture.WriteBmp24(PicturePath(outDir, "dog" + std::to_string(frame) + ".bmp")) && ok;
    }
    return ok;
}

}  // namespace

bool WriteCharacterPictures(const std::string& outDir) {
    bool ok = WriteRivalWalk(outDir);
    ok = WriteRivalMoods(outDir) && ok;
    ok = WriteRivalFlags(outDir) && ok;
    ok = WriteBigFish(outDir) && ok;
    ok = WriteOtter(outDir) && ok;
    return ok;
}

}  // namespace assetgen
