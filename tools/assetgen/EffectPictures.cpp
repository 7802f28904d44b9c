// Short-lived pictures over the field: a bubble bursting, the fish that leaps out of it, and
// the bonus numbers for falling bubbles.
#include <cmath>
#include <string>

#include "tools/assetgen/BubbleArt.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

void DrawCracks(cairo_t* cr, double cx, double cy, double r) {
    const double angles[] = {-0.6, 0.9, 2.2, 3.6, 4.9};
    for (double a : angles) {
        cairo_move_to(cr, cx + 0.2 * r * std::cos(a), cy + 0.2 * r * std::sin(a));
        cairo_line_to(cr, cx + 0.6 * r * std::cos(a + 0.25), cy + 0.6 * r * std::sin(a + 0.25));
        cairo_line_to(cr, cx + 0.95 * r * std::cos(a), cy + 0.95 * r * std::sin(a));
    }
    SetColour(cr, kWhite);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void DrawShards(cairo_t* cr, double cx, double cy, double radius, double spread, int code) {
    const Colour c = kBubbleColours[code];
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 + 0.2;
        cairo_new_path(cr);
        cairo_arc(cr, cx + spread * std::cos(a), cy + spread * std::sin(a), radius, a - 0.45,
                  a + 0.45);
        StrokeOutlined(cr, Lighter(c, 0.15), kInk, 2.6, 0.9);
    }
}

void DrawDroplets(cairo_t* cr, double cx, double cy, int code) {
    const Colour c = kBubbleColours[code];
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 + 0.6;
        const double r = i % 2 ? 11.5 : 9.5;
        cairo_arc(cr, cx + r * std::cos(a), cy + r * std::sin(a), i % 2 ? 1.6 : 2.1, 0, 2 * M_PI);
        FillOutlined(cr, Lighter(c, 0.3), kInk, 0.8);
    }
    // A sparkle where the bubble was.
    cairo_move_to(cr, cx - 3.5, cy);
    cairo_line_to(cr, cx + 3.5, cy);
    cairo_move_to(cr, cx, cy - 3.5);
    cairo_line_to(cr, cx, cy + 3.5);
    StrokeOutlined(cr, kWhite, kInk, 1.4, 0.7);
}

bool WriteBreaks(const std::string& outDir) {
    bool ok = true;
    for (int code = 1; code <= 8; ++code) {
        for (int frame = 0; frame < 3; ++frame) {
            PictureCanvas burst(28, 28, PictureKey::Black);
            cairo_t* cr = burst.Cairo();
            if (frame == 0) {
                DrawBubble(cr, 14, 14, 12, code);
                DrawCracks(cr, 14, 14, 11);
            } else if (frame == 1) {
                DrawShards(cr, 14, 14, 8, 3, code);
                DrawBubbleSymbol(cr, 14, 14, 4.2, code);
            } else {
                DrawDroplets(cr, 14, 14, code);
            }
            const std::string name =
                "breakball" + std::to_string(code) + "-" + std::to_string(frame) + ".bmp";
            ok = burst.WriteBmp24(PicturePath(outDir, name)) && ok;
        }
    }
    return ok;
}

void DrawSmallFish(cairo_t* cr, Colour body) {
    // Facing right, as it leaps out to the right.
    cairo_move_to(cr, 4.5, 6);
    cairo_line_to(cr, 0.8, 2);
    cairo_line_to(cr, 0.8, 10);
    cairo_close_path(cr);
    FillOutlined(cr, Darker(body, 0.2), kInk, 1.0);
    AddEllipse(cr, 9, 6, 6.2, 4.2);
    SetVerticalGradient(cr, 2, Lighter(body, 0.35), 10, Darker(body, 0.15));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_arc(cr, 12, 5, 1.2, 0, 2 * M_PI);
    SetColour(cr, kInk);
    cairo_fill(cr);
    cairo_move_to(cr, 7, 3.5);
    cairo_line_to(cr, 7, 8.5);
    SetColour(cr, Darker(body, 0.35));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

bool WriteFish(const std::string& outDir) {
    bool ok = true;
    for (int k = 0; k < 8; ++k) {
        PictureCanvas fish(16, 12, PictureKey::Black);
        DrawSmallFish(fish.Cairo(), kBubbleColours[k + 1]);
        ok = fish.WriteBmp24(PicturePath(outDir, "fish" + std::to_string(k) + ".bmp")) && ok;
    }
    return ok;
}

bool WriteBonuses(const std::string& outDir) {
    const char* values[] = {"5000", "10000", "50000", "100000", "500000", "1000000"};
    const Colour tops[] = {FromRgb(200, 236, 255), FromRgb(180, 255, 200), FromRgb(255, 250, 170),
                           FromRgb(255, 230, 120), FromRgb(255, 200, 120), FromRgb(255, 180, 240)};
    const Colour bottoms[] = {FromRgb(90, 170, 240), FromRgb(60, 200, 100), FromRgb(250, 200, 40),
                              FromRgb(246, 150, 30), FromRgb(240, 100, 40), FromRgb(190, 90, 240)};
    bool ok = true;
    for (int tier = 0; tier < 6; ++tier) {
        TextStyle s;
        s.letterWidth = 6.8;
        s.letterHeight = 17;
        s.pitch = 11;
        s.stroke = 2.6;
        s.outline = 1.3;
        s.top = tops[tier];
        s.bottom = bottoms[tier];
        const std::string text = values[tier];
        const int width = static_cast<int>(std::ceil(StrokeFont::InkWidth(text, s)));
        PictureCanvas bonus(width, 24, PictureKey::Black);
        const double margin = StrokeFont::Margin(s);
        StrokeFont::DrawText(bonus.Cairo(), text, margin, (24 - s.letterHeight) / 2, s);
        ok = bonus.WriteBmp24(PicturePath(outDir, "bonus" + std::to_string(tier) + ".bmp")) && ok;
    }
    return ok;
}

}  // namespace

bool WriteEffectPictures(const std::string& outDir) {
    bool ok = WriteBreaks(outDir);
    ok = WriteFish(outDir) && ok;
    ok = WriteBonuses(outDir) && ok;
    return ok;
}

}  // namespace assetgen
