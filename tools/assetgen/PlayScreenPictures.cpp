// The play screen's fixed parts: bubbles, the frame round the field, ceiling stones, the
// deadline, the auto-launch countdown, the dimming stipple, the exit badge and the cradle.
#include <cmath>
#include <random>
#include <string>

#include "tools/assetgen/BubbleArt.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

// Field opening in the frame, in screen pixels (inclusive edges 30..205, 17..250).
constexpr int kFieldLeft = 30, kFieldTop = 17, kFieldWidth = 176, kFieldHeight = 234;

bool WriteBubbles(const std::string& outDir) {
    bool ok = true;
    for (int code = 0; code <= 8; ++code) {
        PictureCanvas ball(22, 22, PictureKey::Black);
        DrawBubble(ball.Cairo(), 11, 11, 11, code);
        ok = ball.WriteBmp24(PicturePath(outDir, "ball" + std::to_string(code) + ".bmp")) && ok;
    }
    return ok;
}

void AddPebble(cairo_t* cr, std::mt19937& rng, double x, double y, double size) {
    std::uniform_real_distribution<double> wobble(0.75, 1.15);
    const int corners = 7;
    for (int i = 0; i < corners; ++i) {
        const double a = 2 * M_PI * i / corners;
        const double r = size * wobble(rng);
        const double px = x + r * std::cos(a) * 1.3, py = y + r * std::sin(a);
        if (i == 0) {
            cairo_move_to(cr, px, py);
        } else {
            cairo_line_to(cr, px, py);
        }
    }
    cairo_close_path(cr);
}

void DrawRockTexture(cairo_t* cr, double x0, double y0, double w, double h, unsigned seed,
                     Colour rock) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> ux(x0, x0 + w), uy(y0, y0 + h), size(2.5, 6),
        shade(-0.18, 0.18);
    const int count = static_cast<int>(w * h / 40);
    cairo_set_line_width(cr, 0.9);
    for (int i = 0; i < count; ++i) {
        AddPebble(cr, rng, ux(rng), uy(rng), size(rng));
        const double s = shade(rng);
        const Colour c = s > 0 ? Lighter(rock, s) : Darker(rock, -s);
        SetColour(cr, c);
        cairo_fill_preserve(cr);
        SetColour(cr, Darker(rock, 0.45), 0.8);
        cairo_stroke(cr);
    }
}

void DrawRivet(cairo_t* cr, double x, double y) {
    cairo_arc(cr, x, y, 1.8, 0, 2 * M_PI);
    FillOutlined(cr, kBrass, kInk, 0.8);
    cairo_arc(cr, x - 0.5, y - 0.5, 0.6, 0, 2 * M_PI);
    SetColour(cr, Lighter(kBrass, 0.6));
    cairo_fill(cr);
}

void DrawDeck(cairo_t* cr) {
    // The lake bed below the field where the launcher machine stands.
    SetVerticalGradient(cr, 251, FromRgb(22, 52, 84), 320, FromRgb(12, 26, 50));
    cairo_rectangle(cr, 30, 251, 176, 69);
    cairo_fill(cr);
    std::mt19937 rng(4242);
    std::uniform_real_distribution<double> ux(30, 206), uy(306, 318), size(1.5, 3.5);
    SetVerticalGradient(cr, 300, FromRgb(120, 112, 90), 320, FromRgb(70, 66, 60));
    cairo_move_to(cr, 30, 306);
    cairo_curve_to(cr, 80, 300, 150, 310, 206, 302);
    cairo_line_to(cr, 206, 320);
    cairo_line_to(cr, 30, 320);
    cairo_close_path(cr);
    cairo_fill(cr);
    for (int i = 0; i < 40; ++i) {
        AddPebble(cr, rng, ux(rng), uy(rng), size(rng));
        FillOutlined(cr, Mix(kRock, FromRgb(140, 130, 110), 0.5), Darker(kRock, 0.5), 0.7);
    }
    // Mounting plate behind the launcher wheel (wheel centre at 118, 277).
    cairo_arc(cr, 118, 277, 27, M_PI, 2 * M_PI);
    cairo_line_to(cr, 145, 306);
    cairo_line_to(cr, 91, 306);
    cairo_close_path(cr);
    SetVerticalGradient(cr, 250, FromRgb(70, 84, 108), 306, FromRgb(40, 48, 66));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    for (int i = 0; i < 5; ++i) {
        const double a = M_PI + i * M_PI / 4;
        DrawRivet(cr, 118 + 24 * std::cos(a), 277 + 24 * std::sin(a));
    }
    // Rail that carries the waiting bubble to the launcher.
    AddRoundedRect(cr, 76, 298, 70, 5, 2.5);
    FillOutlined(cr, Darker(kBrass, 0.15), kInk, 1.0);
}

void DrawFrameParts(cairo_t* cr) {
    SetVerticalGradient(cr, 0, FromRgb(62, 74, 102), 320, FromRgb(34, 40, 62));
    cairo_paint(cr);
    DrawRockTexture(cr, 0, 0, 240, 320, 77, FromRgb(66, 76, 104));
    // Top lintel: a dark recess on the right keeps the score readable. It runs off the top of
    // the screen and ends above the field's frame; the digits (ten at most, x 152..231, y 2..11)
    // keep two pixels clear of its edges.
    AddRoundedRect(cr, 146.5, -6, 91, 19.5, 4);
    FillOutlined(cr, FromRgb(14, 22, 44), FromRgb(90, 110, 140), 1.0);
    // Right panel: a brass pipe runs down to the exit badge.
    AddRoundedRect(cr, 217, 24, 12, 272, 6);
    SetVerticalGradient(cr, 24, Lighter(kBrass, 0.2), 296, Darker(kBrass, 0.35));
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int y = 40; y < 290; y += 36) {
        AddRoundedRect(cr, 214, y, 18, 5, 2);
        FillOutlined(cr, Darker(kBrass, 0.1), kInk, 0.9);
    }
    for (int i = 0; i < 6; ++i) {
        cairo_arc(cr, 223 + (i % 2 ? 2 : -2), 60 + i * 38, 2.5 + (i % 3), 0, 2 * M_PI);
        FillOutlined(cr, FromRgb(150, 210, 240), kDeepInk, 0.8);
    }
    DrawDeck(cr);
}

void CutField(cairo_t* cr) {
    // Bevel first, then the opening itself is cleared so the field shows through.
    cairo_rectangle(cr, kFieldLeft - 3, kFieldTop - 3, kFieldWidth + 6, kFieldHeight + 6);
    SetColour(cr, FromRgb(150, 176, 210));
    cairo_fill(cr);
    cairo_rectangle(cr, kFieldLeft - 2, kFieldTop - 2, kFieldWidth + 4, kFieldHeight + 4);
    SetColour(cr, kInk);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, kFieldLeft, kFieldTop, kFieldWidth, kFieldHeight);
    cairo_fill(cr);
    cairo_restore(cr);
}

bool WriteBoard(const std::string& outDir) {
    PictureCanvas board(240, 320, PictureKey::Red);
    cairo_t* cr = board.Cairo();
    DrawFrameParts(cr);
    CutField(cr);
    return board.WriteBmp24(PicturePath(outDir, "board.bmp"));
}

bool WriteStones(const std::string& outDir) {
    bool ok = true;
    for (int i = 0; i <= 10; ++i) {
        PictureCanvas stone(176, 19, PictureKey::None);
        cairo_t* cr = stone.Cairo();
        const Colour rock = Mix(FromRgb(88, 98, 124), FromRgb(62, 70, 96), i / 10.0);
        SetColour(cr, Darker(rock, 0.55));
        cairo_paint(cr);
        std::mt19937 rng(500 + i);
        std::uniform_real_distribution<double> width(18, 36), shade(-0.12, 0.12);
        double x = -std::uniform_real_distribution<double>(0, 14)(rng);
        while (x < 176) {
            const double w = width(rng);
            AddRoundedRect(cr, x + 0.8, 1.2, w - 1.6, 16.6, 3.5);
            const Colour c = Lighter(rock, 0.12 + shade(rng));
            SetVerticalGradient(cr, 1, Lighter(c, 0.2), 18, Darker(c, 0.25));
            cairo_fill(cr);
            // A crack here and there.
            if (std::uniform_int_distribution<int>(0, 2)(rng) == 0) {
                cairo_move_to(cr, x + w * 0.3, 3);
                cairo_line_to(cr, x + w * 0.45, 9);
                cairo_line_to(cr, x + w * 0.38, 15);
                SetColour(cr, Darker(rock, 0.5));
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
            }
            x += w;
        }
        cairo_rectangle(cr, 0, 17.5, 176, 1.5);
        SetColour(cr, kInk);
        cairo_fill(cr);
        ok = stone.WriteBmp24(PicturePath(outDir, "stone" + std::to_string(i) + ".bmp")) && ok;
    }
    return ok;
}

bool WriteDeadline(const std::string& outDir) {
    PictureCanvas line(176, 3, PictureKey::None);
    cairo_t* cr = line.Cairo();
    SetColour(cr, FromRgb(40, 18, 30));
    cairo_paint(cr);
    for (int x = 0; x < 176; x += 8) {
        cairo_rectangle(cr, x, 1, 5, 1);
        SetColour(cr, FromRgb(255, 176, 48));
        cairo_fill(cr);
        cairo_rectangle(cr, x + 5, 1, 3, 1);
        SetColour(cr, FromRgb(130, 50, 46));
        cairo_fill(cr);
    }
    return line.WriteBmp24(PicturePath(outDir, "line.bmp"));
}

void AddChevron(cairo_t* cr, double cx, double cy) {
    cairo_move_to(cr, cx - 7, cy + 3.5);
    cairo_line_to(cr, cx, cy - 3.5);
    cairo_line_to(cr, cx + 7, cy + 3.5);
}

bool WriteWarnings(const std::string& outDir) {
    const Colour urgency[5] = {FromRgb(250, 224, 70), FromRgb(250, 190, 56), FromRgb(248, 150, 44),
                               FromRgb(244, 108, 40), FromRgb(236, 64, 52)};
    bool ok = true;
    for (int step = 0; step < 5; ++step) {
        PictureCanvas warn(176, 16, PictureKey::Red);
        cairo_t* cr = warn.Cairo();
        AddRoundedRect(cr, 1, 1, 174, 14, 7);
        FillOutlined(cr, FromRgb(20, 26, 52), urgency[step], 1.6);
        TextStyle digit;
        digit.letterWidth = 6;
        digit.letterHeight = 9;
        digit.stroke = 2;
        digit.outline = 0.8;
        digit.top = digit.bottom = urgency[step];
        StrokeFont::DrawText(cr, std::to_string(5 - step), 9, 3.5, digit);
        for (int j = 0; j < 5; ++j) {
            AddChevron(cr, 40 + j * 28, 8);
            const bool lit = j <= step;
            StrokeOutlined(cr, lit ? urgency[step] : FromRgb(60, 70, 100), kInk, lit ? 2.6 : 1.6,
                           0.8);
        }
        ok = warn.WriteBmp24(PicturePath(outDir, "warnt" + std::to_string(step) + ".bmp")) && ok;
    }
    return ok;
}

bool WriteMask(const std::string& outDir) {
    PictureCanvas mask(16, 16, PictureKey::Red);
    cairo_t* cr = mask.Cairo();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    SetColour(cr, FromRgb(12, 18, 44));
    for (int y = 0; y < 16; ++y) {
        for (int x = y % 2; x < 16; x += 2)
            cairo_rectangle(cr, x, y, 1, 1);
    }
    cairo_fill(cr);
    return mask.WriteBmp24(PicturePath(outDir, "mask.bmp"));
}

bool WriteExit(const std::string& outDir) {
    PictureCanvas exitBadge(40, 16, PictureKey::White);
    cairo_t* cr = exitBadge.Cairo();
    AddRoundedRect(cr, 1, 1, 37, 14, 4);
    FillOutlined(cr, FromRgb(24, 36, 70), FromRgb(120, 150, 190), 1.4);
    TextStyle s;
    s.letterWidth = 5.6;
    s.letterHeight = 8;
    s.pitch = 8.4;
    s.stroke = 1.8;
    s.outline = 0.6;
    s.top = FromRgb(220, 240, 255);
    s.bottom = FromRgb(150, 210, 250);
    const double inkWidth = StrokeFont::InkWidth("EXIT", s);
    StrokeFont::DrawText(cr, "EXIT", 19.5 - inkWidth / 2 + StrokeFont::Margin(s), 4, s);
    return exitBadge.WriteBmp24(PicturePath(outDir, "exit.bmp"));
}

bool WriteBridge(const std::string& outDir) {
    PictureCanvas bridge(30, 30, PictureKey::Black);
    cairo_t* cr = bridge.Cairo();
    // The waiting bubble covers the top-left 22 x 22: the cup holds it from below.
    AddRoundedRect(cr, 8, 22, 6, 7, 1.5);
    FillOutlined(cr, Darker(kBrass, 0.3), kInk, 1.0);
    AddRoundedRect(cr, 2, 26.5, 27, 3, 1.5);
    FillOutlined(cr, Darker(kSteel, 0.2), kInk, 1.0);
    cairo_new_path(cr);
    cairo_arc(cr, 11, 11, 12, M_PI * 0.08, M_PI * 0.92);
    StrokeOutlined(cr, kBrass, kInk, 3, 1);
    cairo_move_to(cr, 22, 17);
    cairo_line_to(cr, 27.5, 22);
    StrokeOutlined(cr, Lighter(kBrass, 0.2), kInk, 2.4, 1);
    return bridge.WriteBmp24(PicturePath(outDir, "bridge.bmp"));
}

}  // namespace

bool WritePlayScreenPictures(const std::string& outDir) {
    bool ok = WriteBubbles(outDir);
    ok = WriteBoard(outDir) && ok;
    ok = WriteStones(outDir) && ok;
    ok = WriteDeadline(outDir) && ok;
    ok = WriteWarnings(outDir) && ok;
    ok = WriteMask(outDir) && ok;
    ok = WriteExit(outDir) && ok;
    ok = WriteBridge(outDir) && ok;
    return ok;
}

}  // namespace assetgen
