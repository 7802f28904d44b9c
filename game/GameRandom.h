// The game's own random sequence: the one the C library's unseeded rand() gives on the desktop
// the game was first built for (an additive feedback generator seeded with 1). Every replay and
// golden depends on it, and other C libraries (the browser's, Windows', macOS') draw a different
// one, so the game carries its own. Only the game's rules draw from it.
#pragma once

#include <cstdint>

class GameRandom {
  public:
    GameRandom();
    // The sequence srand(seed) gives the same C library (0 seeds as 1, as there); the daily
    // game's own generators.
    explicit GameRandom(uint32_t seed);
    // 0..2147483647.
    int Next();
    // Numbers drawn since construction: where a game begins in the sequence, for its replay.
    long long Draws() const { return draws_; }
    // Draws n numbers and forgets them.
    void Skip(long long n);

  private:
    static constexpr int kLag = 31;
    void Step(uint32_t word);

    uint32_t ring_[kLag] = {};
    int at_ = 0;
    long long draws_ = 0;
};

// The game's one sequence (tests make their own GameRandom). The next value, 0..2147483647, as the
// unseeded rand() sequence would give it.
int GameRand();
// The game's sequence itself, for tests that check where it stands (copy it, then compare what
// the copy draws next with what the game draws).
GameRandom& GameRandomSequence();
