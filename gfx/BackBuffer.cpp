#include "gfx/BackBuffer.h"

#include <cstddef>
#include <cstring>

#include "gfx/Bitmap.h"

BackBuffer::BackBuffer(uint8_t* origin, int width, int height, int xPitch, int yPitch,
                       int bytesPerPixel)
    : origin(origin),
      width(width),
      height(height),
      xPitch(xPitch),
      yPitch(yPitch),
      bytesPerPixel(bytesPerPixel) {}

namespace {

int AnchorX(int x, int anchor, int bitmapWidth) {
    switch (anchor & 0x0F) {
        case kAnchorRight:
            return x - bitmapWidth;
        case kAnchorHCenter:
            return x - (bitmapWidth >> 1);
        default:
            return x;
    }
}

int AnchorY(int y, int anchor, int bitmapHeight) {
    switch (anchor & 0xF0) {
        case kAnchorBottom:
            return y - bitmapHeight;
        case kAnchorVCenter:
            return y - (bitmapHeight >> 1);
        default:
            return y;
    }
}

// One axis of the clip: where the copy starts in the frame, how much of the source is cut
// off before it, and how much remains visible.
bool ClipAxis(int pos, int size, int limit, int* start, int* skip, int* count) {
    if (pos < 0) {
        *skip = -pos;
        *start = 0;
        *count = size + pos;
    } else {
        *skip = 0;
        *start = pos;
        *count = size;
    }
    if (*count > limit - *start) *count = limit - *start;
    return *count > 0;
}

}  // namespace

bool BackBuffer::Clip(const Bitmap& bitmap, int x, int y, int anchor, Span* span) const {
    if (!bitmap.pixels || !origin) return false;
    return ClipAxis(AnchorX(x, anchor, bitmap.width), bitmap.width, width, &span->frameX,
                    &span->skipX, &span->w) &&
           ClipAxis(AnchorY(y, anchor, bitmap.height), bitmap.height, height, &span->frameY,
                    &span->skipY, &span->h);
}

void BackBuffer::Draw(const Bitmap* bitmap, int x, int y, int anchor) {
    Span span;
    if (!pixels || !bitmap || !Clip(*bitmap, x, y, anchor, &span)) return;
    if (bytesPerPixel == 2) Copy16(*bitmap, span, false);
    if (bytesPerPixel == 3) Copy24(*bitmap, span, false);
}

void BackBuffer::DrawMirrored(const Bitmap* bitmap, int x, int y, int anchor, int mirror) {
    Span span;
    if (!pixels || !bitmap || mirror != 1 || !Clip(*bitmap, x, y, anchor, &span)) return;
    if (bytesPerPixel == 2) Copy16(*bitmap, span, true);
    if (bytesPerPixel == 3) Copy24(*bitmap, span, true);
}

namespace {

// One row of a keyed copy in a portrait frame: every pixel is stored, the frame's own value
// where the source is transparent, so the loop has no branch and vectorises.
void KeyedRow(uint16_t* dst, const uint16_t* src, int count, uint16_t key) {
    for (int i = 0; i < count; ++i) {
        const uint16_t s = src[i];
        dst[i] = s == key ? dst[i] : s;
    }
}

}  // namespace

void BackBuffer::Copy16(const Bitmap& bitmap, const Span& span, bool mirrored) {
    const bool keyed = bitmap.keyEnabled;
    const uint16_t key = bitmap.key16;
    // Frames and pictures come from malloc and advance in whole pixels, so 16-bit access
    // is aligned.
    const bool rowsAreContiguous = xPitch == 2 && !mirrored;
    for (int r = 0; r < span.h; ++r) {
        const uint8_t* src = bitmap.pixels + static_cast<size_t>(r + span.skipY) * bitmap.width * 2;
        uint8_t* dst = origin + static_cast<ptrdiff_t>(span.frameY + r) * yPitch +
                       static_cast<ptrdiff_t>(span.frameX) * xPitch;
        if (rowsAreContiguous && !keyed) {
            std::memcpy(dst, src + span.skipX * 2, static_cast<size_t>(span.w) * 2);
            continue;
        }
        if (rowsAreContiguous) {
            KeyedRow(reinterpret_cast<uint16_t*>(dst),
                     reinterpret_cast<const uint16_t*>(src) + span.skipX, span.w, key);
            continue;
        }
        for (int c = 0; c < span.w; ++c, dst += xPitch) {
            const int column = mirrored ? bitmap.width - 1 - (c + span.skipX) : c + span.skipX;
            uint16_t s;
            std::memcpy(&s, src + column * 2, 2);
            if (keyed && s == key) continue;
            std::memcpy(dst, &s, 2);
        }
    }
}

void BackBuffer::Copy24(const Bitmap& bitmap, const Span& span, bool mirrored) {
    const bool keyed = bitmap.keyEnabled;
    for (int r = 0; r < span.h; ++r) {
        const uint8_t* src = bitmap.pixels + static_cast<size_t>(r + span.skipY) * bitmap.width * 3;
        uint8_t* dst = origin + static_cast<ptrdiff_t>(span.frameY + r) * yPitch +
                       static_cast<ptrdiff_t>(span.frameX) * xPitch;
        for (int c = 0; c < span.w; ++c, dst += xPitch) {
            const int column = mirrored ? bitmap.width - 1 - (c + span.skipX) : c + span.skipX;
            const uint8_t* s = src + column * 3;
            if (keyed && std::memcmp(s, bitmap.keyRGB, 3) == 0) continue;
            std::memcpy(dst, s, 3);
        }
    }
}
