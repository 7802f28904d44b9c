// The points of one popped bubble, rising for ten frames.
#pragma once

#include "actors/Effect.h"

class ScoreTextEffect : public Effect {
  public:
    ScoreTextEffect(int x, int y, int value);
    bool Update() override;
    void Draw(BackBuffer& target) override;

    int x, y, value, step, timer, rise;
};
