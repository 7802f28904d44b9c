// A bonus picture (tier by value) that rises, chimes and slides across the field.
#pragma once

#include "actors/Effect.h"

class Bitmap;

class BonusEffect : public Effect {
  public:
    BonusEffect(int x, int y, int value);
    bool Update() override;
    void Draw(BackBuffer& target) override;
    static void LoadImages();
    static Bitmap* images[6];

    int x, y, value, timer, rise, drift;
};
