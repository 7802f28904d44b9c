#include <gtest/gtest.h>

#include <memory>

#include "actors/Effect.h"
#include "game/Game.h"
#include "tests/TestSupport.h"

namespace {

class GameFieldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseDisplay565();
        test::UseDataDir(test::MakeTempDir());
        saveDir_ = test::MakeTempDir();
        test::UseSaveDir(saveDir_);
        game_ = std::make_unique<Game>();
    }
    std::string saveDir_;
    std::unique_ptr<Game> game_;
};

TEST_F(GameFieldTest, NeighboursStayInsideTheRows) {
    int rows[6], cols[6];
    // Long row, last column: one neighbour in each short row, column 6.
    ASSERT_EQ(game_->Neighbours(2, 7, rows, cols), 3);
    EXPECT_EQ(rows[0], 1);
    EXPECT_EQ(cols[0], 6);
    EXPECT_EQ(rows[2], 3);
    EXPECT_EQ(cols[2], 6);
    // Long row, first column: column 0 above and below, and its right neighbour.
    ASSERT_EQ(game_->Neighbours(2, 0, rows, cols), 3);
    EXPECT_EQ(cols[0], 0);
    // Short row: straight above and half a cell right.
    ASSERT_EQ(game_->Neighbours(1, 6, rows, cols), 5);  // (1, 7) does not exist
    EXPECT_EQ(rows[0], 0);
    EXPECT_EQ(cols[0], 6);
    EXPECT_EQ(cols[1], 7);
    // The top row has nothing above it.
    EXPECT_EQ(game_->Neighbours(0, 3, rows, cols), 4);
}

// The editor's hit test: cells of 22 x 19 pixels from (30, 17), short rows half a cell right.
TEST(FieldGeometry, CellAtFindsTheCellUnderAPointAndNothingOutsideTheRows) {
    const FieldGeometry geometry;
    int row = -1, col = -1;
    ASSERT_TRUE(geometry.CellAt(30, 17, 11, &row, &col));
    EXPECT_EQ(row * 10 + col, 0);
    ASSERT_TRUE(geometry.CellAt(30 + 11 + 6 * 22 + 21, 17 + 19, 11, &row, &col));
    EXPECT_EQ(row * 10 + col, 16);                                    // the short row's last cell
    EXPECT_FALSE(geometry.CellAt(30 + 10, 17 + 19, 11, &row, &col));  // left of a short row
    EXPECT_FALSE(geometry.CellAt(30 + 11 + 7 * 22, 17 + 19, 11, &row, &col));  // right of it
    EXPECT_FALSE(geometry.CellAt(100, 16, 11, &row, &col));                    // above the field
    EXPECT_FALSE(geometry.CellAt(100, 17 + 11 * 19, 11, &row, &col));  // below the rows asked
    EXPECT_TRUE(geometry.CellAt(100, 17 + 11 * 19, 12, &row, &col));
}

TEST_F(GameFieldTest, StartsOnTheTitleWithSevenRowsOfBubbles) {
    EXPECT_EQ(game_->state, kStateTitle);
    EXPECT_EQ(game_->bestRound, -1);
    int visible = 0;
    for (int r = 0; r < kFieldRows; ++r)
        for (int c = 0; c < game_->RowLength(r); ++c) {
            const int code = game_->field[r][c];
            if (r <= 6) {
                EXPECT_GE(code, 1);
                EXPECT_LE(code, 8);
                ++visible;
            } else {
                EXPECT_EQ(code, kEmptyCell);
            }
        }
    EXPECT_EQ(visible, 53);
    for (Effect* e : game_->effects)
        ASSERT_EQ(e, nullptr);
}

TEST_F(GameFieldTest, PauseAndResume) {
    game_->SetRunning();
    game_->Suspend();
    EXPECT_FALSE(game_->running);
    game_->Resume();
    EXPECT_TRUE(game_->running);
    game_->ClearRunning();
    game_->Resume();  // not suspended: stays stopped
    EXPECT_FALSE(game_->running);
}

TEST_F(GameFieldTest, RoundFileFillsElevenRowsAndShortFilesLeaveCellsEmpty) {
    const std::string dir = test::MakeTempDir();
    test::UseDataDir(dir);
    std::vector<uint8_t> bytes(83 * 2, 0);
    bytes[83 + 0] = 3;   // round 1, row 0, cell 0
    bytes[83 + 8] = 9;   // row 1 cell 0: not a colour
    bytes[83 + 82] = 8;  // row 10, cell 7
    bytes[83 + 15] = 1;  // row 2, cell 0
    test::WriteBytes(dir + "/rounds.dat", bytes);
    game_->UseRounds(RoundBook::BuiltIn(dir.c_str()));
    game_->LoadRound(1);
    EXPECT_EQ(game_->field[0][0], 3);
    EXPECT_EQ(game_->field[1][0], kEmptyCell);
    EXPECT_EQ(game_->field[2][0], 1);
    EXPECT_EQ(game_->field[10][7], 8);
    EXPECT_EQ(game_->field[11][0], kEmptyCell);
    game_->LoadRound(2);  // past the end of the file
    for (auto& row : game_->field)
        for (int cell : row)
            EXPECT_EQ(cell, kEmptyCell);
}

TEST_F(GameFieldTest, ProgressIsSavedOnlyWhenNotBelowTheBest) {
    game_->round = 5;
    game_->SaveProgress();
    EXPECT_EQ(game_->bestRound, 5);
    EXPECT_EQ(test::ReadBytes(saveDir_ + "/com.dat"), (std::vector<uint8_t>{5, 0, 0, 0}));
    game_->round = 3;
    game_->SaveProgress();
    EXPECT_EQ(test::ReadBytes(saveDir_ + "/com.dat")[0], 5);
    game_->round = 5;
    test::WriteBytes(saveDir_ + "/com.dat", {});
    game_->SaveProgress();  // equal rewrites
    EXPECT_EQ(test::ReadBytes(saveDir_ + "/com.dat").size(), 4u);
    EXPECT_EQ(game_->LoadProgress(), 5);
    test::WriteBytes(saveDir_ + "/com.dat", {48, 0, 0, 0});
    EXPECT_EQ(game_->LoadProgress(), -1);
    test::WriteBytes(saveDir_ + "/com.dat", {7, 0});
    EXPECT_EQ(game_->LoadProgress(), -1);
}

TEST_F(GameFieldTest, EffectSlotsReuseFromOneAfterAClear) {
    struct Dummy : Effect {
        bool Update() override { return true; }
        void Draw(BackBuffer&) override {}
    };
    game_->AddEffect(new Dummy);
    game_->AddEffect(new Dummy);
    EXPECT_EQ(game_->lastEffect, 1);
    game_->ClearEffects();
    EXPECT_EQ(game_->lastEffect, 0);
    game_->AddEffect(new Dummy);
    EXPECT_NE(game_->effects[1], nullptr);
    game_->AddEffect(new Dummy);
    EXPECT_NE(game_->effects[0], nullptr);
    for (int i = 2; i < kMaxEffects; ++i)
        game_->AddEffect(new Dummy);
    EXPECT_EQ(game_->lastEffect, kMaxEffects - 1);
    game_->AddEffect(new Dummy);  // full: dropped, nothing written past the table
    EXPECT_EQ(game_->lastEffect, kMaxEffects - 1);
}

}  // namespace
