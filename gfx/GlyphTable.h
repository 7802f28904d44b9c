// The 36 glyphs of one font: A-Z then 0-9, red-keyed, loaded from "\<c><suffix>.bmp".
#pragma once

class Bitmap;

class GlyphTable {
  public:
    explicit GlyphTable(const char* suffix) : suffix_(suffix) {}
    void Load();
    // The glyph for 'A'..'Z' or '0'..'9', else null.
    const Bitmap* Glyph(char c) const;
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  private:
    const char* suffix_;
    Bitmap* glyphs_[36] = {};
};
