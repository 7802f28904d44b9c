#include "gfx/ScoreCounter.h"

#include <climits>
#include <cstdio>

#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"

ScoreCounter::ScoreCounter(int x, int y) : x(x), y(y) {
    for (int d = 0; d < 10; ++d) {
        char name[16];
        std::snprintf(name, sizeof name, "\\score%d.bmp", d);
        digits_[d] = Bitmap::Load(name);
        if (digits_[d]) digits_[d]->SetColorKey(255, 0, 0);
    }
}

ScoreCounter::~ScoreCounter() {
    for (Bitmap* digit : digits_)
        delete digit;
}

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
    int v = value < 0 ? 0 : value;
    int cellX = x;
    do {
        target.Draw(digits_[v % 10], cellX, y, 0);
        v /= 10;
        cellX -= digitAdvance;
    } while (v > 0);
}
