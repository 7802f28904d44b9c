// Small drawing vocabulary shared by every picture family, and the colours of the tarn world.
#pragma once

#include <cairo.h>

namespace assetgen {

struct Colour {
    double r = 0, g = 0, b = 0;  // 0..1
};

constexpr Colour FromRgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}

// Darkest ink anywhere: any darker and it would pack to the black key.
constexpr Colour kInk = FromRgb(16, 16, 24);
constexpr Colour kDeepInk = FromRgb(18, 24, 52);
constexpr Colour kWhite = FromRgb(250, 250, 252);
constexpr Colour kFoam = FromRgb(214, 240, 255);
constexpr Colour kGold = FromRgb(255, 208, 64);
constexpr Colour kAmber = FromRgb(240, 140, 30);
constexpr Colour kLakeTop = FromRgb(36, 92, 150);
constexpr Colour kLakeDeep = FromRgb(10, 22, 58);
constexpr Colour kSteel = FromRgb(122, 146, 172);
constexpr Colour kRock = FromRgb(92, 98, 118);
constexpr Colour kBrass = FromRgb(214, 168, 72);

// Bubble colours by code: 0 the grey of a lost game, 1..8 the eight playing colours.
constexpr Colour kBubbleColours[9] = {
    FromRgb(150, 154, 166), FromRgb(232, 62, 70),  FromRgb(250, 146, 36),
    FromRgb(250, 220, 52),  FromRgb(74, 196, 84),  FromRgb(44, 204, 226),
    FromRgb(60, 110, 240),  FromRgb(164, 86, 226), FromRgb(238, 236, 246)};

Colour Mix(Colour a, Colour b, double t);
Colour Lighter(Colour c, double t);
Colour Darker(Colour c, double t);

void SetColour(cairo_t* cr, Colour c, double alpha = 1.0);
// Fills the current path, then strokes its outline centred on the edge; the path is consumed.
void FillOutlined(cairo_t* cr, Colour fill, Colour outline, double outlineWidth);
void StrokeOutlined(cairo_t* cr, Colour inner, Colour outline, double width, double outlineWidth);
void AddRoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void AddEllipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// Vertical gradient from top colour at y0 to bottom colour at y1 as the source.
void SetVerticalGradient(cairo_t* cr, double y0, Colour top, double y1, Colour bottom);
void Clear(cairo_t* cr);

}  // namespace assetgen
