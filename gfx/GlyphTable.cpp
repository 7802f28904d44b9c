#include "gfx/GlyphTable.h"

#include <cstdio>

#include "gfx/Bitmap.h"

void GlyphTable::Load() {
    char name[32];
    for (int i = 0; i < 36; ++i) {
        if (i < 26)
            std::snprintf(name, sizeof name, "\\%c%s.bmp", 'a' + i, suffix_);
        else
            std::snprintf(name, sizeof name, "\\%d%s.bmp", i - 26, suffix_);
        delete glyphs_[i];
        glyphs_[i] = Bitmap::Load(name);
        if (glyphs_[i]) glyphs_[i]->SetColorKey(255, 0, 0);
    }
}

const Bitmap* GlyphTable::Glyph(char c) const {
    if (c >= 'A' && c <= 'Z') return glyphs_[c - 'A'];
    if (IsDigit(c)) return glyphs_[26 + (c - '0')];
    return nullptr;
}
