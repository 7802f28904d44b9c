// A popped bubble bursting: three pictures, three frames each.
#pragma once

#include "actors/Effect.h"

class Bitmap;

class BreakEffect : public Effect {
  public:
    BreakEffect(int x, int y, int colour);
    bool Update() override;
    void Draw(BackBuffer& target) override;
    static void LoadImages();
    static Bitmap* images[8][3];

    int x, y, colour, timer;
};
