// Big capitals and digits (20 pixels per character) for the round messages and "PAUSE".
// One process-wide glyph table, loaded by the Game's constructor.
#pragma once

class BackBuffer;
class Bitmap;

class BigFont {
  public:
    static constexpr int Advance = 20;
    static constexpr int GlyphHeight = 24;

    static void Load();
    // Draws text with its first character's cell at (x, y); characters other than A-Z and
    // 0-9 draw nothing but take their cell.
    static void DrawText(BackBuffer& target, int x, int y, const char* text);
    // Draws text centred in [left, right), its cells closed up where the full advance would
    // not fit (the glyphs' ink fills their cells, so the ink keeps within the bounds).
    static void DrawTextWithin(BackBuffer& target, int left, int right, int y, const char* text);
    static const Bitmap* Glyph(char c);
};
