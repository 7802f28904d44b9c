// The game's own typeface: monoline capitals and digits drawn as pen strokes on a 10 x 14 grid,
// so one design serves the glyph files, the page labels and every number picture at any size.
#pragma once

#include <cairo.h>

#include <string>

#include "tools/assetgen/Paint.h"

namespace assetgen {

struct TextStyle {
    double letterWidth = 10;  // the 10 x 14 grid is mapped onto letterWidth x letterHeight
    double letterHeight = 14;
    double pitch = 14;     // advance per character
    double stroke = 3;     // width of the bright pen
    double outline = 1.5;  // dark edge on each side of the pen
    Colour top = kWhite;   // the pen colour runs from top to bottom of the letter
    Colour bottom = kFoam;
    Colour outlineColour = kInk;
};

class StrokeFont {
  public:
    // A-Z, 0-9, space, '.' and '-'.
    static bool HasGlyph(char c);
    // Adds the pen path of c with its grid mapped onto the box (x, y, w, h).
    static void AddGlyph(cairo_t* cr, char c, double x, double y, double w, double h);
    // Draws text with character i's grid box at (x + i * pitch, y); all outlines go down before
    // any pen stroke so that touching letters merge instead of cutting into each other.
    static void DrawText(cairo_t* cr, const std::string& text, double x, double y,
                         const TextStyle& style);
    // Width of the inked text from the first box's left edge minus its margin.
    static double InkWidth(const std::string& text, const TextStyle& style);
    // How far ink reaches outside a glyph's grid box.
    static double Margin(const TextStyle& style) { return style.stroke / 2 + style.outline; }

  private:
    static void AddText(cairo_t* cr, const std::string& text, double x, double y,
                        const TextStyle& style);
};

}  // namespace assetgen
