#include "gfx/ScoreCounter.h"

#include <climits>

#include "gfx/SmallFont.h"

ScoreCounter::ScoreCounter(int x, int y) : x(x), y(y), digitAdvance(SmallFont::Advance) {}

void ScoreCounter::Add(int points) {
    if (points > 0 && value > INT_MAX - points)
        value = INT_MAX;
    else
        value += points;
}

void ScoreCounter::Set(int v) {
    value = v;
}

void ScoreCounter::Draw(BackBuffer& target) const {
    SmallFont::DrawNumberFromRight(target, x, y, digitAdvance, value);
}
