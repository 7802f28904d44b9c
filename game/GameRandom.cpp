#include "game/GameRandom.h"

GameRandom::GameRandom() : GameRandom(1) {}

GameRandom::GameRandom(uint32_t seed) {
    int32_t seeds[kLag];
    seeds[0] = seed == 0 ? 1 : static_cast<int32_t>(seed);
    for (int i = 1; i < kLag; ++i) {
        // 16807 * previous mod (2^31 - 1), by Schrage's method so nothing overflows.
        const int32_t hi = seeds[i - 1] / 127773, lo = seeds[i - 1] % 127773;
        int32_t word = 16807 * lo - 2836 * hi;
        if (word < 0) word += 2147483647;
        seeds[i] = word;
    }
    for (int i = 0; i < kLag; ++i)
        ring_[i] = static_cast<uint32_t>(seeds[i]);
    // The three words after the seeds repeat the first three; then ten rounds are thrown away.
    for (int i = 0; i < 3; ++i)
        Step(static_cast<uint32_t>(seeds[i]));
    for (int i = 0; i < 310; ++i)
        Next();
    draws_ = 0;
}

void GameRandom::Skip(long long n) {
    for (long long i = 0; i < n; ++i)
        Next();
}

// r[i] = r[i-31] + r[i-3] over 32-bit words; the output is the word without its low bit.
int GameRandom::Next() {
    const uint32_t word = ring_[at_] + ring_[(at_ + kLag - 3) % kLag];
    Step(word);
    ++draws_;
    return static_cast<int>(word >> 1);
}

void GameRandom::Step(uint32_t word) {
    ring_[at_] = word;
    at_ = (at_ + 1) % kLag;
}

GameRandom& GameRandomSequence() {
    static GameRandom sequence;
    return sequence;
}

int GameRand() {
    return GameRandomSequence().Next();
}
