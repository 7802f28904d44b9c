// A small fish leaping out of a popped bubble in a falling arc.
#pragma once

#include "actors/Effect.h"

class Bitmap;

class FishEffect : public Effect {
  public:
    FishEffect(int x, int y, int colour, int vx, int vy);
    bool Update() override;
    void Draw(BackBuffer& target) override;
    static void LoadImages();
    static Bitmap* images[8];

    int x, y, colour, vx, vy;
};
