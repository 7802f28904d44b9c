#include "game/PointerAim.h"

#include <cstdint>

namespace {

// cos and sin, times 2^30 and rounded, of the angles halfway between two reachable ones
// below 90 (12, 16, ..., 88); those above 90 are their mirror images. Fixed numbers rather
// than a libm call, so that no platform's rounding can move a boundary.
constexpr int64_t kHalfway[20][2] = {
    {1050277989, 223243478}, {1032146887, 295963357}, {1008987269, 367241333},
    {980911966, 436730145},  {948057759, 504091252},  {910584710, 568996477},
    {868675383, 631129609},  {822533958, 690187940},  {772385229, 745883746},
    {718473518, 797945680},  {661061475, 846120104},  {600428808, 890172315},
    {536870912, 929887697},  {470697435, 965072759},  {402230767, 995556083},
    {331804471, 1021189159}, {259761657, 1041847103}, {186453311, 1057429273},
    {112236583, 1067859754}, {37473049, 1073087729},
};
constexpr int kHalfways = 2 * (sizeof kHalfway / sizeof kHalfway[0]);

}  // namespace

bool InPointerAimZone(int x, int y) {
    return x >= 30 && x <= 205 && y >= 0 && y <= 262;
}

bool InExitStrip(int x, int y) {
    // The strip was beside the field on the handheld; with a pointer its left edge overlaps
    // the field's right-hand water, where a press must aim and never throw the game away.
    return x >= 200 && y >= 104 && !InPointerAimZone(x, y);
}

int SnapAimDirection(int dx, int up, int current) {
    if (up <= 0) {
        if (dx > 0) return kAimLowest;
        if (dx < 0) return kAimHighest;
        return current;
    }
    // Count the halfway angles the direction lies beyond; each one is a step of 4 degrees.
    int passed = 0;
    for (int k = 0; k < kHalfways; ++k) {
        const bool leftHalf = k >= kHalfways / 2;
        const int64_t* unit = kHalfway[leftHalf ? kHalfways - 1 - k : k];
        const int64_t c = leftHalf ? -unit[0] : unit[0], s = unit[1];
        // The sign of the cross product says on which side of the halfway line it points.
        const int64_t side = c * up - s * static_cast<int64_t>(dx);
        if (side > 0 || (side == 0 && !leftHalf)) ++passed;
    }
    return kAimLowest + kAimKeyStep * passed;
}

int PointerAimAngle(int x, int y, int current) {
    return SnapAimDirection(x - kLauncherCentreX, kLauncherCentreY - y, current);
}
