#include "app/FrameStats.h"

namespace {

constexpr int kBuckets = 100000;  // 1 us each; anything slower lands in the last
uint32_t g_histogram[kBuckets];
uint64_t g_count = 0;

}  // namespace

void FrameStats::Record(int64_t microseconds) {
    const int64_t bucket = microseconds < 0           ? 0
                           : microseconds >= kBuckets ? kBuckets - 1
                                                      : microseconds;
    ++g_histogram[bucket];
    ++g_count;
}

int64_t FrameStats::Percentile(int p) {
    if (g_count == 0) return 0;
    const uint64_t rank = (g_count * static_cast<uint64_t>(p) + 99) / 100;
    uint64_t seen = 0;
    for (int i = 0; i < kBuckets; ++i) {
        seen += g_histogram[i];
        if (seen >= rank && seen > 0) return i;
    }
    return kBuckets - 1;
}

void FrameStats::Reset() {
    for (uint32_t& b : g_histogram)
        b = 0;
    g_count = 0;
}
