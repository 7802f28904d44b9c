// Small capitals and digits (14 pixels per character) for the score, the score pop-ups and the
// pages. Digits are drawn one pixel left of their cell.
#pragma once

class BackBuffer;
class Bitmap;

class SmallFont {
  public:
    static constexpr int Advance = 14;
    static constexpr int GlyphHeight = 21;

    static void Load();
    static void DrawText(BackBuffer& target, int x, int y, const char* text);
    static const Bitmap* Glyph(char c);
    // Draws a non-negative number right to left: the units digit's cell at unitsX, each
    // further digit `step` pixels to the left; 0 draws one digit.
    static void DrawNumberFromRight(BackBuffer& target, int unitsX, int y, int step, int value);
};
