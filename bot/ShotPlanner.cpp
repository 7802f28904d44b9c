#include "bot/ShotPlanner.h"

#include <climits>
#include <cstring>
#include <vector>

#include "game/Game.h"

namespace {

// A shot flies at least a pixel a frame, and the field is a few hundred pixels high.
constexpr int kMaxFlightFrames = 600;
constexpr int kShotsPerDrop = kWarnShots + 3;

}  // namespace

PlannerView PlannerView::Of(const Game& game) {
    PlannerView view;
    std::memcpy(view.cells, game.field, sizeof view.cells);
    view.geometry = game.Geometry();
    view.colour = game.nextColour;  // the launch moves it onto the launcher
    view.deadlineRow = game.deadlineRow;
    // A key launch counts towards the ceiling only without a boss.
    view.ceilingComesDown = !game.boss && game.shotsSinceDrop + 1 >= kShotsPerDrop;
    return view;
}

ShotOutcome ShotPlanner::Predict(const PlannerView& view, int aim, ShotCells* after) {
    ShotOutcome out;
    out.aim = aim;
    ShotCells cells;
    std::memcpy(cells, view.cells, sizeof cells);
    ShotRules rules(cells, view.geometry);
    FlyingShot shot = rules.Launch(aim);
    ShotCandidates candidates;
    candidates.Clear();
    for (int frame = 0; frame < kMaxFlightFrames && !out.placed; ++frame) {
        const ShotFrameEnd end = rules.FlyOneFrame(shot, &candidates);
        if (end.kind == ShotFrameEnd::kStillFlying) continue;
        if (end.kind == ShotFrameEnd::kLastRow) break;
        out.row = end.kind == ShotFrameEnd::kCeiling ? 0 : end.row;
        out.col = end.kind == ShotFrameEnd::kCeiling ? rules.CeilingColumn(shot.x) : end.col;
        if (out.col < 0) break;  // the ceiling over the shot is full
        out.placed = true;
    }
    if (out.placed) {
        cells[out.row][out.col] = view.colour;
        out.group = rules.FloodGroup(out.row, out.col, view.colour);
        if (out.group >= 3) {
            out.popped = rules.RemoveGroup();
            out.fell = rules.DropUnconnected();
        } else {
            rules.UnmarkGroup();
        }
    } else {
        out.row = out.col = -1;
    }
    if (after) std::memcpy(*after, cells, sizeof cells);
    for (int r = 0; r < kShotRows; ++r) {
        for (int c = 0; c < view.geometry.RowLength(r); ++c) {
            if (cells[r][c] < 0) continue;
            ++out.bubblesLeft;
            out.lowestRow = r;
        }
    }
    return out;
}

int ShotPlanner::Value(const PlannerView& view, const ShotOutcome& o) {
    // The ceiling or the push coming down after this shot moves every bubble a row closer.
    const int limit = view.ceilingComesDown ? view.deadlineRow - 1 : view.deadlineRow;
    if (o.lowestRow >= limit) return -1000000 + o.bubblesLeft;
    if (o.placed && o.bubblesLeft == 0) return 1000000;
    int value = 0;
    if (!o.placed)
        value = -300;
    else if (o.popped > 0)
        value = 1000 + 100 * o.popped + 250 * o.fell;
    else
        value = 60 * (o.group - 1) - 10 * o.row;
    // Keep a margin above the deadline.
    const int margin = limit - 1 - o.lowestRow;
    if (margin < 2) value -= 400 * (2 - margin);
    return value;
}

int ShotPlanner::BestAim(const PlannerView& view, std::mt19937& random) {
    std::vector<int> best;
    int bestValue = INT_MIN;
    for (int aim = kMinAim; aim <= kMaxAim; aim += kAimStep) {
        const int value = Value(view, Predict(view, aim));
        if (value > bestValue) {
            bestValue = value;
            best.clear();
        }
        if (value == bestValue) best.push_back(aim);
    }
    std::uniform_int_distribution<size_t> pick(0, best.size() - 1);
    return best[pick(random)];
}
