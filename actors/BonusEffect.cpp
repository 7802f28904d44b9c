#include "actors/BonusEffect.h"

#include <cstdio>

#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "sound/SoundBank.h"

Bitmap* BonusEffect::images[6] = {};

BonusEffect::BonusEffect(int x, int y, int value)
    : x(x), y(y), value(value), timer(20), rise(2), drift(x < 89 ? 6 : -6) {}

void BonusEffect::LoadImages() {
    char name[32];
    for (int i = 0; i < 6; ++i) {
        std::snprintf(name, sizeof name, "\\bonus%d.bmp", i);
        delete images[i];
        images[i] = Bitmap::Load(name);
        if (images[i]) images[i]->SetColorKey(0, 0, 0);
    }
}

bool BonusEffect::Update() {
    --timer;
    if (timer == 17) SoundBank::PlayBonus();
    if (timer > 17)
        y -= rise;
    else
        x += drift;
    return timer >= 0;
}

namespace {

// The tier picture for a number of falling bubbles, -1 below the first tier.
int TierPicture(int value) {
    if (value >= 20) return 5;
    if (value >= 16) return 4;
    if (value >= 12) return 3;
    if (value >= 8) return 2;
    if (value >= 5) return 1;
    if (value >= 3) return 0;
    return -1;
}

}  // namespace

void BonusEffect::Draw(BackBuffer& target) {
    const int picture = TierPicture(value);
    if (picture >= 0) target.Draw(images[picture], x, y, 0);
}
