// The autoplayer's look-ahead: its prediction of every aim against what the game really does
// with the same shot, and the way it weighs outcomes.
#include <cstring>
#include <random>

#include "bot/ShotPlanner.h"
#include "tests/PlayFixture.h"

namespace {

using test::PlayTest;

// The layouts a field can have: fresh, after two ceiling moves, and pushed once.
enum class Layout { kFresh, kLowered, kPushed };

class PlannerVsGame : public PlayTest {
  protected:
    void RandomField(std::mt19937& random, Layout layout) {
        game->SelectRoundsMode();
        game->fieldTop = 17;
        game->deadlineRow = kFieldRows - 1;
        if (layout == Layout::kLowered) {
            game->fieldTop += 2 * game->rowHeight;
            game->deadlineRow -= 2;
        } else if (layout == Layout::kPushed) {
            game->SelectPushMode();
            game->rowParityFlag = true;
            game->rowParity = 1;
        }
        const int colours = std::uniform_int_distribution<int>(2, 8)(random);
        const int depth = std::uniform_int_distribution<int>(-1, 11)(random);
        const int holes = std::uniform_int_distribution<int>(5, 70)(random);
        std::uniform_int_distribution<int> colour(1, colours);
        std::uniform_int_distribution<int> percent(0, 99);
        ClearField();
        for (int r = 0; r <= depth; ++r)
            for (int c = 0; c < game->RowLength(r); ++c)
                if (percent(random) >= holes) game->field[r][c] = colour(random);
        game->nextColour = colour(random);
        game->shotsSinceDrop = 0;
    }
};

TEST_F(PlannerVsGame, PredictionIsWhatTheGameDoesAtEveryAim) {
    std::mt19937 random(4711);
    int pops = 0, falls = 0, ceilings = 0, bounces = 0, misses = 0;
    for (int field = 0; field < 90; ++field) {
        const Layout layout = static_cast<Layout>(field % 3);
        RandomField(random, layout);
        int start[kFieldRows][kFieldCols];
        std::memcpy(start, game->field, sizeof start);
        const int colour = game->nextColour;
        for (int aim = ShotPlanner::kMinAim; aim <= ShotPlanner::kMaxAim;
             aim += ShotPlanner::kAimStep) {
            std::memcpy(game->field, start, sizeof start);
            game->nextColour = colour;
            game->ClearEffects();
            const PlannerView view = PlannerView::Of(*game);
            ShotCells predicted;
            const ShotOutcome outcome = ShotPlanner::Predict(view, aim, &predicted);

            game->aimAngle = aim;
            game->Launch();
            ASSERT_TRUE(UpdateUntilLanded(600)) << "field " << field << " aim " << aim;
            ASSERT_EQ(0, std::memcmp(predicted, game->field, sizeof predicted))
                << "field " << field << " aim " << aim;
            if (outcome.placed && outcome.group < 3) {
                EXPECT_EQ(colour, game->field[outcome.row][outcome.col]);
            }
            pops += outcome.popped > 0;
            falls += outcome.fell > 0;
            ceilings += outcome.placed && outcome.row == 0;
            misses += !outcome.placed;
            bounces += aim < 46 || aim > 134;
        }
    }
    // The fields are varied enough to exercise every path.
    EXPECT_GT(pops, 100);
    EXPECT_GT(falls, 20);
    EXPECT_GT(ceilings, 100);
    EXPECT_GT(misses, 0);
    EXPECT_GT(bounces, 100);
}

PlannerView EmptyView() {
    PlannerView view;
    for (auto& row : view.cells)
        for (int& cell : row)
            cell = kEmptyCell;
    return view;
}

TEST(ShotPlanner, WeighsClearingThenPopsAndDropsThenGroupsAndNeverALoss) {
    PlannerView view = EmptyView();
    ShotOutcome clear;
    clear.placed = true;
    clear.row = 0;
    clear.popped = 3;
    ShotOutcome bigDrop = clear;
    bigDrop.popped = 3;
    bigDrop.fell = 6;
    bigDrop.bubblesLeft = 20;
    bigDrop.lowestRow = 5;
    ShotOutcome smallPop = bigDrop;
    smallPop.fell = 0;
    ShotOutcome pair = bigDrop;
    pair.popped = 0;
    pair.fell = 0;
    pair.group = 2;
    pair.row = 4;
    ShotOutcome single = pair;
    single.group = 1;
    ShotOutcome lost = bigDrop;
    lost.lowestRow = view.deadlineRow;
    EXPECT_GT(ShotPlanner::Value(view, clear), ShotPlanner::Value(view, bigDrop));
    EXPECT_GT(ShotPlanner::Value(view, bigDrop), ShotPlanner::Value(view, smallPop));
    EXPECT_GT(ShotPlanner::Value(view, smallPop), ShotPlanner::Value(view, pair));
    EXPECT_GT(ShotPlanner::Value(view, pair), ShotPlanner::Value(view, single));
    EXPECT_LT(ShotPlanner::Value(view, lost), ShotPlanner::Value(view, single) - 100000);

    // With the ceiling coming down after this shot, the row above the deadline loses too.
    ShotOutcome nearDeadline = single;
    nearDeadline.lowestRow = view.deadlineRow - 1;
    EXPECT_GT(ShotPlanner::Value(view, nearDeadline), -100000);
    view.ceilingComesDown = true;
    EXPECT_LT(ShotPlanner::Value(view, nearDeadline), -100000);
}

TEST(ShotPlanner, TakesTheReachablePopAndItsOwnGeneratorDecidesTies) {
    PlannerView view = EmptyView();
    view.cells[0][3] = 4;
    view.cells[0][4] = 4;
    view.colour = 4;
    std::mt19937 first(7), second(7);
    std::vector<int> aims;
    for (int i = 0; i < 20; ++i) {
        const int aim = ShotPlanner::BestAim(view, first);
        EXPECT_EQ(aim, ShotPlanner::BestAim(view, second));
        EXPECT_EQ(0, ShotPlanner::Predict(view, aim).bubblesLeft) << aim;
        aims.push_back(aim);
    }
    // Several aims clear this field; the choice among them varies.
    EXPECT_NE(std::count(aims.begin(), aims.end(), aims[0]), 20);
}

}  // namespace
