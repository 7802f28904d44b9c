// The game's own random sequence: the one the C library's unseeded rand() gives on the desktop
// the game was first built for (an additive feedback generator seeded with 1). Every replay and
// golden depends on it, and other C libraries (the browser's, Windows', macOS') draw a different
// one, so the game carries its own. Only the game's rules draw from it.
#pragma once

#include <cstdint>

class GameRandom {
  public:
    GameRandom();
    // 0..2147483647.
    int Next();

  private:
    static constexpr int kLag = 31;
    void Step(uint32_t word);

    uint32_t ring_[kLag] = {};
    int at_ = 0;
};

// The game's one sequence (tests make their own GameRandom). The next value, 0..2147483647, as the
// unseeded rand() sequence would give it.
int GameRand();
// The game's sequence itself, for tests that check where it stands (copy it, then compare what
// the copy draws next with what the game draws).
GameRandom& GameRandomSequence();
