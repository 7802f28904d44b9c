#include "tools/assetgen/StrokeFont.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace assetgen {
namespace {

// Pen paths on the 10 x 14 grid, y downward. M x y / L x y move and draw; E and N add an
// elliptical arc (cx cy rx ry from-degrees to-degrees) clockwise and anticlockwise on screen;
// O adds a closed ellipse (cx cy rx ry).
struct GlyphPath {
    char c;
    const char* path;
};

constexpr GlyphPath kGlyphs[] = {
    {'A', "M0 14 L5 0 L10 14 M1.9 9 L8.1 9"},
    {'B', "M0 7 L5.2 7 N5.2 3.5 3.8 3.5 90 -90 L0 0 L0 14 L5.6 14 N5.6 10.5 4.4 3.5 90 -90"},
    {'C', "N5 7 5 7 -42 42"},
    {'D', "M0 0 L0 14 L3.5 14 N3.5 7 6.5 7 90 -90 L0 0"},
    {'E', "M10 0 L0 0 L0 14 L10 14 M0 7 L7.5 7"},
    {'F', "M10 0 L0 0 L0 14 M0 7 L7.5 7"},
    {'G', "N5 7 5 7 -42 0 L5.5 7"},
    {'H', "M0 0 L0 14 M10 0 L10 14 M0 7 L10 7"},
    {'I', "M5 0 L5 14 M2 0 L8 0 M2 14 L8 14"},
    {'J', "M4 0 L9.5 0 L9.5 9.5 E5 9.5 4.5 4.5 0 165"},
    {'K', "M0 0 L0 14 M10 0 L0 9 M3.6 5.8 L10 14"},
    {'L', "M0 0 L0 14 L9.5 14"},
    {'M', "M0 14 L0 0 L5 9 L10 0 L10 14"},
    {'N', "M0 14 L0 0 L10 14 L10 0"},
    {'O', "O5 7 5 7"},
    {'P', "M0 14 L0 0 L5.5 0 E5.5 4 4.5 4 -90 90 L0 8"},
    {'Q', "O5 7 5 7 M6 9.5 L10.2 14"},
    {'R', "M0 14 L0 0 L5.5 0 E5.5 4 4.5 4 -90 90 L0 8 M4.5 8 L10 14"},
    {'S', "N5 3.5 4.6 3.5 -25 90 E5 10.5 5 3.5 -90 155"},
    {'T', "M0 0 L10 0 M5 0 L5 14"},
    {'U', "M0 0 L0 9 N5 9 5 5 180 0 L10 0"},
    {'V', "M0 0 L5 14 L10 0"},
    {'W', "M0 0 L2.5 14 L5 4 L7.5 14 L10 0"},
    {'X', "M0 0 L10 14 M10 0 L0 14"},
    {'Y', "M0 0 L5 7 L10 0 M5 7 L5 14"},
    {'Z', "M0 0 L10 0 L0 14 L10 14"},
    {'0', "O5 7 4.4 7 M7.2 2.8 L2.8 11.2"},
    {'1', "M1.5 3.2 L6 0 L6 14 M2 14 L10 14"},
    {'2', "E5 4.2 4.6 4.2 195 400 L0 14 L10 14"},
    {'3', "E5 3.5 4.4 3.5 205 450 E5 10.5 4.8 3.5 -90 155"},
    {'4', "M7.5 14 L7.5 0 L0 9.6 L10 9.6"},
    {'5', "M9.4 0 L1 0 L0.6 6.4 E4.8 9.6 4.9 4.4 -135 150"},
    {'6', "N5 7 5 7 -55 -180 L0 9.6 E5 9.6 5 4.4 180 540"},
    {'7', "M0 0 L10 0 L3.5 14"},
    {'8', "O5 3.4 4.2 3.4 O5 10.4 5 3.6"},
    {'9', "O5 4.4 5 4.4 M10 4.4 L10 7 E5 7 5 7 0 125"},
    {'-', "M2 7 L8 7"},
    {'.', "M4.6 13 L5.4 13"},
};

const char* FindPath(char c) {
    for (const GlyphPath& g : kGlyphs) {
        if (g.c == c) return g.path;
    }
    return nullptr;
}

double Radians(double degrees) {
    return degrees * M_PI / 180.0;
}

// Reads n numbers after the command letter; false when the path is malformed.
bool ReadNumbers(const char*& p, double* out, int n) {
    for (int i = 0; i < n; ++i) {
        char* end = nullptr;
        out[i] = std::strtod(p, &end);
        if (end == p) return false;
        p = end;
    }
    return true;
}

void AddArc(cairo_t* cr, const double* v, bool clockwise) {
    cairo_save(cr);
    cairo_translate(cr, v[0], v[1]);
    cairo_scale(cr, v[2], v[3]);
    if (clockwise) {
        cairo_arc(cr, 0, 0, 1, Radians(v[4]), Radians(v[5]));
    } else {
        cairo_arc_negative(cr, 0, 0, 1, Radians(v[4]), Radians(v[5]));
    }
    cairo_restore(cr);
}

void AddPath(cairo_t* cr, const char* p) {
    double v[6];
    while (*p) {
        const char op = *p++;
        if (op == 'M' || op == 'L') {
            if (!ReadNumbers(p, v, 2)) return;
            if (op == 'M') {
                cairo_move_to(cr, v[0], v[1]);
            } else {
                cairo_line_to(cr, v[0], v[1]);
            }
        } else if (op == 'E' || op == 'N') {
            if (!ReadNumbers(p, v, 6)) return;
            AddArc(cr, v, op == 'E');
        } else if (op == 'O') {
            if (!ReadNumbers(p, v, 4)) return;
            cairo_new_sub_path(cr);
            v[4] = 0;
            v[5] = 360;
            AddArc(cr, v, true);
            cairo_close_path(cr);
        }
    }
}

}  // namespace

bool StrokeFont::HasGlyph(char c) {
    return c == ' ' || FindPath(c) != nullptr;
}

void StrokeFont::AddGlyph(cairo_t* cr, char c, double x, double y, double w, double h) {
    const char* path = FindPath(c);
    if (!path) return;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, w / 10.0, h / 14.0);
    cairo_new_sub_path(cr);
    AddPath(cr, path);
    cairo_restore(cr);
}

void StrokeFont::AddText(cairo_t* cr, const std::string& text, double x, double y,
                         const TextStyle& style) {
    cairo_new_path(cr);
    for (size_t i = 0; i < text.size(); ++i) {
        AddGlyph(cr, text[i], x + style.pitch * i, y, style.letterWidth, style.letterHeight);
    }
}

void StrokeFont::DrawText(cairo_t* cr, const std::string& text, double x, double y,
                          const TextStyle& style) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    AddText(cr, text, x, y, style);
    SetColour(cr, style.outlineColour);
    cairo_set_line_width(cr, style.stroke + 2 * style.outline);
    cairo_stroke(cr);
    AddText(cr, text, x, y, style);
    SetVerticalGradient(cr, y, style.top, y + style.letterHeight, style.bottom);
    cairo_set_line_width(cr, style.stroke);
    cairo_stroke(cr);
    cairo_restore(cr);
}

double StrokeFont::InkWidth(const std::string& text, const TextStyle& style) {
    if (text.empty()) return 0;
    return style.pitch * (text.size() - 1) + style.letterWidth + 2 * Margin(style);
}

}  // namespace assetgen
