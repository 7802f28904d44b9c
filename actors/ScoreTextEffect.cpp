#include "actors/ScoreTextEffect.h"

#include "gfx/SmallFont.h"

ScoreTextEffect::ScoreTextEffect(int x, int y, int value)
    : x(x), y(y), value(value), step(SmallFont::Advance), timer(10), rise(2) {}

bool ScoreTextEffect::Update() {
    --timer;
    y -= rise;
    return timer >= 0;
}

void ScoreTextEffect::Draw(BackBuffer& target) {
    SmallFont::DrawNumberFromRight(target, x, y, step, value);
}
