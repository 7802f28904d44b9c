#include "actors/FallingBubbleEffect.h"

#include "gfx/BackBuffer.h"

FallingBubbleEffect::FallingBubbleEffect(int x, int y, int code, Bitmap* const* images)
    : x(x), y(y), code(code), vy(6), images(images) {}

bool FallingBubbleEffect::Update() {
    y += vy;
    vy += 1;
    return y < 321;
}

void FallingBubbleEffect::Draw(BackBuffer& target) {
    // Grey bubbles (code 0) fall too; any code outside the table draws as grey.
    const int picture = code >= 1 && code <= 8 ? code : 0;
    target.Draw(images[picture], x, y, kAnchorHCenter | kAnchorVCenter);
}
