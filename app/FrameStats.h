// How long each frame's update and render took, kept as a histogram so recording never
// allocates; read for --stats.
#pragma once

#include <cstdint>

class FrameStats {
  public:
    static void Record(int64_t microseconds);
    // The p-th percentile (0..100) of the recorded times, in microseconds; 0 when none.
    static int64_t Percentile(int p);
    static void Reset();
};
