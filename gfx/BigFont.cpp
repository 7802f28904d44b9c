#include "gfx/BigFont.h"

#include <cstring>

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

void BigFont::DrawTextWithin(BackBuffer& target, int left, int right, int y, const char* text) {
    const int length = static_cast<int>(std::strlen(text));
    if (length == 0) return;
    const int room = right - left;
    int advance = Advance;
    if (length > 1 && Advance * length > room) advance = (room - Advance) / (length - 1);
    const int width = advance * (length - 1) + Advance;
    for (int i = 0; i < length; ++i)
        target.Draw(g_big.Glyph(text[i]), left + (room - width) / 2 + advance * i, y, 0);
}
