// The player's score, drawn right-aligned with the small font: the units digit's cell at x.
#pragma once

class BackBuffer;

class ScoreCounter {
  public:
    ScoreCounter(int x, int y);
    virtual ~ScoreCounter() = default;

    // Saturates at the largest int: a long push game must not wrap to a negative score.
    void Add(int points);
    void Set(int value);
    int Get() const { return value; }
    void Draw(BackBuffer& target) const;

    int x;
    int y;
    int value = 0;
    int digitAdvance;
};
