#include "actors/BigFish.h"

#include <cstdio>

#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"

BigFish::BigFish(int x, int y) : x(x), y(y) {
    char name[32];
    for (int i = 0; i < 3; ++i) {
        std::snprintf(name, sizeof name, "\\bigfish%d.bmp", i);
        fishImages[i] = Bitmap::Load(name);
        if (fishImages[i]) fishImages[i]->SetColorKey(255, 0, 0);
    }
}

BigFish::~BigFish() {
    for (Bitmap*& b : fishImages) {
        delete b;
        b = nullptr;
    }
}

void BigFish::Start() {
    active = true;
    frame = 0;
}

void BigFish::Draw(BackBuffer& target) {
    const int q = frame / 3;
    if (q == 0) target.Draw(fishImages[0], x, y, 0);
    if (q == 1) target.Draw(fishImages[1], x + 16, y, 0);
    if (q == 2) target.Draw(fishImages[2], x, y - 8, 0);
    if (!active) return;
    ++frame;
    if (frame == 9) {
        frame = 0;
        active = false;
    }
}
