// A bubble cut off from the ceiling, falling off the screen.
#pragma once

#include "actors/Effect.h"

class Bitmap;

class FallingBubbleEffect : public Effect {
  public:
    FallingBubbleEffect(int x, int y, int code, Bitmap* const* images);
    bool Update() override;
    void Draw(BackBuffer& target) override;

    int x, y, code, vy;
    Bitmap* const* images;  // the Game's ballImages
};
