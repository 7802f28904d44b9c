#include "gfx/BigFont.h"

#include "gfx/BackBuffer.h"
#include "gfx/GlyphTable.h"

namespace {
GlyphTable g_big("big");
}

void BigFont::Load() {
    g_big.Load();
}

const Bitmap* BigFont::Glyph(char c) {
    return g_big.Glyph(c);
}

void BigFont::DrawText(BackBuffer& target, int x, int y, const char* text) {
    for (int i = 0; text[i]; ++i)
        target.Draw(g_big.Glyph(text[i]), x + Advance * i, y, 0);
}
