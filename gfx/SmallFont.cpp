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

void SmallFont::DrawNumberFromRight(BackBuffer& target, int unitsX, int y, int step, int value) {
    int v = value;
    int i = 0;
    do {
        const char digit[2] = {static_cast<char>('0' + v % 10), '\0'};
        DrawText(target, unitsX - step * i, y, digit);
        v /= 10;
        ++i;
    } while (v > 0);
}
