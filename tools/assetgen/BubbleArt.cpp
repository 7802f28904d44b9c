#include "tools/assetgen/BubbleArt.h"

#include <cmath>

#include "tools/assetgen/Paint.h"

namespace assetgen {
namespace {

void AddHeart(cairo_t* cr, double s) {
    cairo_move_to(cr, 0, 0.95 * s);
    cairo_curve_to(cr, -1.5 * s, -0.05 * s, -1.05 * s, -1.25 * s, 0, -0.45 * s);
    cairo_curve_to(cr, 1.05 * s, -1.25 * s, 1.5 * s, -0.05 * s, 0, 0.95 * s);
    cairo_close_path(cr);
}

void AddCross(cairo_t* cr, double s) {
    const double t = 0.36 * s;
    cairo_rectangle(cr, -t, -s, 2 * t, 2 * s);
    cairo_rectangle(cr, -s, -t, 2 * s, 2 * t);
}

void AddStar(cairo_t* cr, double s) {
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 ? 0.52 : 1.2) * s;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double x = r * std::cos(a), y = r * std::sin(a) + 0.08 * s;
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

void AddTriangle(cairo_t* cr, double s) {
    cairo_move_to(cr, 0, -1.0 * s);
    cairo_line_to(cr, 1.05 * s, 0.8 * s);
    cairo_line_to(cr, -1.05 * s, 0.8 * s);
    cairo_close_path(cr);
}

void AddDiamond(cairo_t* cr, double s) {
    cairo_move_to(cr, 0, -1.2 * s);
    cairo_line_to(cr, 0.66 * s, 0);
    cairo_line_to(cr, 0, 1.2 * s);
    cairo_line_to(cr, -0.66 * s, 0);
    cairo_close_path(cr);
}

void AddRing(cairo_t* cr, double s) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 0.85 * s, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 0, 0, 0.42 * s, 2 * M_PI, 0);
}

// The crescent is a disc with a bite taken out; done in a group so the bite leaves the bubble.
void FillMoon(cairo_t* cr, double s, Colour ink) {
    cairo_push_group(cr);
    SetColour(cr, ink);
    cairo_arc(cr, 0, 0, 0.95 * s, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_arc(cr, 0.5 * s, -0.32 * s, 0.78 * s, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

}  // namespace

void DrawBubbleSymbol(cairo_t* cr, double cx, double cy, double size, int code) {
    if (code < 1 || code > 8) return;
    const Colour ink = Mix(kDeepInk, kBubbleColours[code], 0.12);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_new_path(cr);
    switch (code) {
        case 1:
            AddHeart(cr, size);
            break;
        case 2:
            AddCross(cr, size);
            break;
        case 3:
            AddStar(cr, size);
            break;
        case 4:
            AddTriangle(cr, size);
            break;
        case 5:
            AddDiamond(cr, size);
            break;
        case 6:
            cairo_rectangle(cr, -0.78 * size, -0.78 * size, 1.56 * size, 1.56 * size);
            break;
        case 7:
            FillMoon(cr, size, ink);
            break;
        default:
            AddRing(cr, size);
            break;
    }
    if (code != 7) {
        SetColour(cr, ink);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void DrawBubble(cairo_t* cr, double cx, double cy, double radius, int code) {
    const Colour base = kBubbleColours[code >= 0 && code <= 8 ? code : 0];
    cairo_save(cr);
    cairo_pattern_t* body = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.4,
                                                        radius * 0.1, cx, cy, radius);
    const Colour light = Lighter(base, 0.5), dark = Darker(base, 0.28);
    cairo_pattern_add_color_stop_rgb(body, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(body, 0.55, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(body, 1, dark.r, dark.g, dark.b);
    const double outline = std::fmax(1.2, radius * 0.13);
    cairo_arc(cr, cx, cy, radius - outline / 2, 0, 2 * M_PI);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, outline);
    cairo_stroke(cr);
    DrawBubbleSymbol(cr, cx + radius * 0.04, cy + radius * 0.06, radius * 0.5, code);
    // A glint on the upper left, the same on every colour.
    AddEllipse(cr, cx - radius * 0.5, cy - radius * 0.52, radius * 0.2, radius * 0.13);
    SetColour(cr, kWhite, 0.95);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace assetgen
