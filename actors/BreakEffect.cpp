#include "actors/BreakEffect.h"

#include <cassert>
#include <cstdio>

#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"

Bitmap* BreakEffect::images[8][3] = {};

BreakEffect::BreakEffect(int x, int y, int colour) : x(x), y(y), colour(colour), timer(9) {}

void BreakEffect::LoadImages() {
    char name[32];
    for (int c = 0; c < 8; ++c) {
        for (int f = 0; f < 3; ++f) {
            std::snprintf(name, sizeof name, "\\breakball%d-%d.bmp", c + 1, f);
            delete images[c][f];
            images[c][f] = Bitmap::Load(name);
            if (images[c][f]) images[c][f]->SetColorKey(0, 0, 0);
        }
    }
}

bool BreakEffect::Update() {
    --timer;
    return timer >= 0;
}

void BreakEffect::Draw(BackBuffer& target) {
    const int picture = (8 - timer) / 3;
    assert(colour >= 1 && colour <= 8 && picture >= 0 && picture < 3);
    if (colour < 1 || colour > 8) return;
    target.Draw(images[colour - 1][picture], x, y, kAnchorHCenter | kAnchorVCenter);
}
