// Looks ahead for the autoplayer: flies a shot at every reachable aim on a copy of the field
// with the game's own shot rules, and says where it lands and what pops and falls.
#pragma once

#include <random>

#include "game/FieldGeometry.h"
#include "game/ShotRules.h"

class Game;

struct ShotOutcome {
    int aim = 90;
    bool placed = false;  // false: vanished at a full ceiling or ended at the last row
    int row = -1, col = -1;
    int group = 0;  // the colour group the new bubble belongs to, itself included
    int popped = 0;
    int fell = 0;
    int lowestRow = -1;  // lowest row still holding a bubble afterwards, -1 for none
    int bubblesLeft = 0;
};

// What the player sees of the field when the next bubble leaves.
struct PlannerView {
    ShotCells cells;
    FieldGeometry geometry;
    int colour = 1;
    int deadlineRow = 11;
    bool ceilingComesDown = false;  // this shot brings the ceiling (or the push) down

    static PlannerView Of(const Game& game);
};

class ShotPlanner {
  public:
    static constexpr int kMinAim = 10;
    static constexpr int kMaxAim = 170;
    static constexpr int kAimStep = 4;

    // The shot at aim; the field it leaves, pops and falls done, goes to *after if given.
    static ShotOutcome Predict(const PlannerView& view, int aim, ShotCells* after = nullptr);
    // How much the player wants this outcome: clearing, big pops and drops first, never a loss.
    static int Value(const PlannerView& view, const ShotOutcome& outcome);
    // The aim of the most wanted shot; ties are broken by the generator.
    static int BestAim(const PlannerView& view, std::mt19937& random);
};
