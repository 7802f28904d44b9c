#include "actors/FishEffect.h"

#include <cstdio>

#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"

Bitmap* FishEffect::images[8] = {};

FishEffect::FishEffect(int x, int y, int colour, int vx, int vy)
    : x(x), y(y), colour(colour), vx(vx), vy(vy) {}

void FishEffect::LoadImages() {
    char name[32];
    for (int i = 0; i < 8; ++i) {
        std::snprintf(name, sizeof name, "\\fish%d.bmp", i);
        delete images[i];
        images[i] = Bitmap::Load(name);
        if (images[i]) images[i]->SetColorKey(0, 0, 0);
    }
}

bool FishEffect::Update() {
    y += vy;
    vy += 1;
    x += vx;
    return y < 321;
}

void FishEffect::Draw(BackBuffer& target) {
    if (colour < 1 || colour > 8) return;
    target.Draw(images[colour - 1], x, y, kAnchorHCenter | kAnchorVCenter);
}
