#include "game/PointerAim.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "game/ShotRules.h"

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

constexpr int kAngles = (kAimHighest - kAimLowest) / kAimKeyStep + 1;
constexpr int kZoneLeft = 30, kZoneRight = 205, kZoneBottom = 262;
constexpr int kZoneWidth = kZoneRight - kZoneLeft + 1;
constexpr int kPathRows = kZoneBottom + 1 + 40;  // the flight starts below the zone
constexpr int kFar = 1 << 30;

// Where the centre of the bubble passes, row by row, on one angle's flight over an empty field
// to its first bounce or the ceiling. Before a bounce a flight runs one way in x and y, so the
// points on a row are one run [left, right].
struct Path {
    int16_t left[kPathRows];
    int16_t right[kPathRows];
    // Where the flight starts and how far its first frame goes: every frame goes as far, so
    // the path keeps within a pixel or two of this line.
    int originX = 0, originY = 0, stepX = 0, stepY = 0;

    void Clear() {
        for (int y = 0; y < kPathRows; ++y) {
            left[y] = INT16_MAX;
            right[y] = INT16_MIN;
        }
    }
    void Add(int x, int y) {
        if (y < 0 || y >= kPathRows) return;
        if (x < left[y]) left[y] = static_cast<int16_t>(x);
        if (x > right[y]) right[y] = static_cast<int16_t>(x);
    }
    // Squared distance from (x, y) to the row's run; kFar for a row the flight misses.
    int RowDistance(int x, int y, int row) const {
        if (row < 0 || row >= kPathRows || left[row] > right[row]) return kFar;
        const int dx = x < left[row] ? left[row] - x : (x > right[row] ? x - right[row] : 0);
        return dx * dx + (y - row) * (y - row);
    }
    // The squared distance from (x, y) to the path, if it is below `limit`; else kFar or more.
    int Distance(int x, int y, int limit) const {
        int best = kFar;
        for (int d = 0; d * d <= limit && d * d <= best; ++d) {
            const int above = RowDistance(x, y, y - d), below = RowDistance(x, y, y + d);
            if (above < best) best = above;
            if (below < best) best = below;
        }
        return best;
    }
    // False when (x, y) lies too far from the path's line for the path to pass within the
    // squared distance `limit`: a cheap test before the row by row one.
    bool MayPassWithin(int x, int y, int limit) const {
        int root = 0;
        while (root * root < limit)
            ++root;
        const int64_t margin = root + 3;  // the pixels lost to whole steps, and to rounding
        const int64_t cross =
            static_cast<int64_t>(x - originX) * stepY - static_cast<int64_t>(y - originY) * stepX;
        const int64_t length2 = static_cast<int64_t>(stepX) * stepX + stepY * stepY;
        return cross * cross <= margin * margin * length2;
    }
};

// The flight as the aim guide draws it: the pixels between each frame's ends.
void TracePath(int angle, Path* path) {
    static ShotCells empty;
    for (auto& row : empty)
        for (int& cell : row)
            cell = -1;
    const FieldGeometry geometry;
    const ShotRules rules(empty, geometry);
    FlyingShot shot = rules.Launch(angle);
    ShotCandidates candidates;
    const int centre = geometry.cellWidth / 2 - 1;
    path->Clear();
    path->Add(shot.x + centre, shot.y + centre);
    path->originX = shot.x + centre;
    path->originY = shot.y + centre;
    for (int frame = 0; frame < kPathRows; ++frame) {
        const int fromX = shot.x, fromY = shot.y;
        const ShotFrameEnd end = rules.FlyOneFrame(shot, &candidates);
        const int dx = shot.x - fromX, dy = shot.y - fromY;
        if (frame == 0) {
            path->stepX = dx;
            path->stepY = dy;
        }
        const int steps = std::abs(dx) > std::abs(dy) ? std::abs(dx) : std::abs(dy);
        for (int t = 1; t <= steps; ++t)
            path->Add(fromX + dx * t / steps + centre, fromY + dy * t / steps + centre);
        if (end.kind != ShotFrameEnd::kStillFlying || end.bounced) return;
    }
}

int AngleOf(int index) {
    return kAimLowest + kAimKeyStep * index;
}

// Of two angles whose paths pass equally near, the one nearer straight up, then the lower.
bool Preferred(int angle, int other) {
    const int a = std::abs(angle - 90), b = std::abs(other - 90);
    return a != b ? a < b : angle < other;
}

// For every point of the aim zone, the index of the angle whose flight passes nearest it.
class AimTable {
  public:
    AimTable() {
        auto paths = std::make_unique<Path[]>(kAngles);
        for (int i = 0; i < kAngles; ++i)
            TracePath(AngleOf(i), &paths[i]);
        for (int y = 0; y <= kZoneBottom; ++y)
            for (int x = kZoneLeft; x <= kZoneRight; ++x)
                angle_[y][x - kZoneLeft] = static_cast<uint8_t>(Nearest(paths.get(), x, y));
    }
    int Angle(int x, int y) const { return AngleOf(angle_[y][x - kZoneLeft]); }

  private:
    // Angles are tried outwards from the pointer's direction, so the first ones found near
    // keep the search of the others short.
    static int Nearest(const Path* paths, int x, int y) {
        const int first =
            (SnapAimDirection(x - kLauncherCentreX, kLauncherCentreY - y, 90) - kAimLowest) /
            kAimKeyStep;
        int best = first, bestDistance = paths[first].Distance(x, y, kFar);
        for (int k = 1; k < kAngles; ++k) {
            for (const int i : {first - k, first + k}) {
                if (i < 0 || i >= kAngles || !paths[i].MayPassWithin(x, y, bestDistance)) continue;
                const int d = paths[i].Distance(x, y, bestDistance);
                if (d < bestDistance ||
                    (d == bestDistance && Preferred(AngleOf(i), AngleOf(best)))) {
                    best = i;
                    bestDistance = d;
                }
            }
        }
        return best;
    }
    uint8_t angle_[kZoneBottom + 1][kZoneWidth];
};

const AimTable& Table() {
    static const std::unique_ptr<AimTable> table = std::make_unique<AimTable>();
    return *table;
}

}  // namespace

void PreparePointerAim() {
    Table();
}

bool InPointerAimZone(int x, int y) {
    return x >= kZoneLeft && x <= kZoneRight && y >= 0 && y <= kZoneBottom;
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
    if (InPointerAimZone(x, y)) return Table().Angle(x, y);
    return SnapAimDirection(x - kLauncherCentreX, kLauncherCentreY - y, current);
}
