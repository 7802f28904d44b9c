// The player's score, drawn right-aligned with its own small digits ("\score0.bmp" to
// "\score9.bmp", short enough for the box above the field): the units digit's cell at x.
#pragma once

class BackBuffer;
class Bitmap;

class ScoreCounter {
  public:
    static constexpr int kDigitAdvance = 8;

    ScoreCounter(int x, int y);
    virtual ~ScoreCounter();
    ScoreCounter(const ScoreCounter&) = delete;
    ScoreCounter& operator=(const ScoreCounter&) = delete;

    // Saturates at the largest int: a long push game must not wrap to a negative score.
    void Add(int points);
    void Set(int value);
    int Get() const { return value; }
    void Draw(BackBuffer& target) const;

    int x;
    int y;
    int value = 0;
    int digitAdvance = kDigitAdvance;

  private:
    Bitmap* digits_[10] = {};
};
