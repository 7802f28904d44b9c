#include "gfx/SmallFont.h"

#include "gfx/BackBuffer.h"
#include "gfx/GlyphTable.h"

namespace {
GlyphTable g_small("small");
}

void SmallFont::Load() {
    g_small.Load();
}

const Bitmap* SmallFont::Glyph(char c) {
    return g_small.Glyph(c);
}

void SmallFont::DrawText(BackBuffer& target, int x, int y, const char* text) {
    for (int i = 0; text[i]; ++i) {
        const int shift = GlyphTable::IsDigit(text[i]) ? 1 : 0;
        target.Draw(g_small.Glyph(text[i]), x + Advance * i - shift, y, 0);
    }
}
