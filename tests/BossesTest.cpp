// The mechanics every boss shares: the factory, the hit square, the life row, the defeat fall
// with its one sound, the final re-colouring and the re-arming for a later fight.
#include <set>

#include "bosses/CrabBoss.h"
#include "bosses/InsectBoss.h"
#include "bosses/SnakeBoss.h"
#include "bosses/WizardBoss.h"
#include "tests/BossFixture.h"

namespace bosstest {
namespace {

constexpr Rgb kLife = {240, 40, 80};
constexpr Rgb kFallen = {40, 200, 90};

using BossFramework = BossTest;

TEST_F(BossFramework, FactoryMakesEachKindAndRefusesUnknownKindsAndDegenerateCells) {
    const auto make = [&](int kind, int w, int h, int box) {
        return std::unique_ptr<Boss>(CreateBoss(kind, game_.get(), 30, 17, w, h, box));
    };
    EXPECT_TRUE(dynamic_cast<InsectBoss*>(make(kInsectBoss, 154, 132, 22).get()));
    EXPECT_TRUE(dynamic_cast<CrabBoss*>(make(kCrabBoss, 154, 132, 22).get()));
    EXPECT_TRUE(dynamic_cast<SnakeBoss*>(make(kSnakeBoss, 154, 132, 22).get()));
    EXPECT_TRUE(dynamic_cast<WizardBoss*>(make(kWizardBoss, 154, 132, 22).get()));
    EXPECT_FALSE(make(4, 154, 132, 22));
    EXPECT_FALSE(make(-1, 154, 132, 22));
    EXPECT_FALSE(make(kInsectBoss, 0, 0, 0));
    auto insect = make(kInsectBoss, 154, 132, 22);
    EXPECT_EQ(static_cast<BossCommon*>(insect.get())->rowHeight, 19);
    EXPECT_EQ(static_cast<BossCommon*>(insect.get())->hitPoints, 24);
}

// A 22-pixel shot at (x, y) is tested at its corners pulled in by the boss's margin: two
// pixels for the insect's 55 square at 100 (inside 101..154), minus two, so four pixels more
// reach, for the snake's 28 square (inside 101..127). Edges count as outside; a corner touch
// needs both coordinates strictly inside.
TEST_F(BossFramework, HitSquareEdgesAreOutsideAndTheMarginMovesThem) {
    auto insect = Make<InsectBoss>();
    auto snake = Make<SnakeBoss>();
    const struct {
        BossCommon* boss;
        int x, y;
        bool hit;
    } cases[] = {
        {insect.get(), 80, 110, false},  {insect.get(), 81, 110, true},   // right point x + 20
        {insect.get(), 153, 110, false}, {insect.get(), 152, 110, true},  // left point x + 2
        {insect.get(), 110, 80, false},  {insect.get(), 110, 81, true},
        {insect.get(), 110, 153, false}, {insect.get(), 110, 152, true},
        {insect.get(), 80, 81, false},   {insect.get(), 81, 81, true},
        {snake.get(), 74, 110, false},   {snake.get(), 75, 110, true},  // 3 pixels left of it
        {snake.get(), 132, 110, false},  {snake.get(), 131, 110, true},
        {snake.get(), 110, 132, false},  {snake.get(), 110, 75, true},
    };
    insect->SetHitBox(100, 100);
    snake->SetHitBox(100, 100);
    for (const auto& c : cases) {
        EXPECT_EQ(c.boss->HitTest(c.x, c.y, 22, 22), c.hit) << c.x << "," << c.y;
        EXPECT_EQ(c.boss->hitFlag, c.hit) << "a miss clears the flag a strike set";
    }
    EXPECT_EQ(insect->hitPoints, 24 - 5);
}

TEST_F(BossFramework, LifeRowShowsHalfTheHitPointsPlusOne) {
    WritePicture("life.bmp", 8, 8, kLife);
    auto insect = Make<InsectBoss>();
    // Icons at x 20 + 8i, y 19; count them by their second column.
    auto icons = [&] {
        int n = 0;
        while (n < 20 && Shows(20 + 8 * n + 1, 20, kLife))
            ++n;
        return n;
    };
    for (const auto& [points, expected] :
         std::vector<std::pair<int, int>>{{24, 13}, {11, 6}, {10, 6}, {1, 1}}) {
        insect->hitPoints = points;
        Run(*insect, 1);
        EXPECT_EQ(icons(), expected) << points << " hit points";
    }
}

TEST_F(BossFramework, TwentyFourthStrikeFallsAtOnceWithOneFallSoundThenRecolours) {
    WritePicture("life.bmp", 8, 8, kLife);
    WritePicture("insecthitted.bmp", 10, 10, kFallen);
    auto insect = Make<InsectBoss>();
    insect->posX = 100, insect->posY = 40;
    insect->SetHitBox(97, 37);
    insect->frame = 5;
    for (int i = 0; i < 23; ++i)
        ASSERT_TRUE(Strike(*insect));
    Run(*insect, 1);
    EXPECT_TRUE(insect->active);
    ASSERT_TRUE(Strike(*insect));
    EXPECT_EQ(insect->hitPoints, 0);
    Run(*insect, 1);
    EXPECT_FALSE(insect->active);
    EXPECT_EQ(Played("fall.wav"), 1);
    EXPECT_TRUE(Shows(101, 41, kFallen));  // first fall frame at the boss's own point
    EXPECT_FALSE(Shows(21, 20, kLife));    // no life row while falling
    EXPECT_EQ(insect->defeatCountdown, 9);

    // Shots still vanish into the sinking boss, and the fall keeps going.
    EXPECT_TRUE(Strike(*insect));
    EXPECT_EQ(insect->hitPoints, -1);

    game_->field[0][0] = 3;
    game_->field[2][5] = 7;
    game_->field[4][1] = 0;  // grey stays grey
    game_->field[1][7] = 6;  // past the end of a short row: not part of the field
    for (int n = 9; n >= 1; --n) {
        ASSERT_TRUE(insect->IsAlive());
        Run(*insect, 1);
        // (240 - 40) * k / 10 below the start.
        EXPECT_TRUE(Shows(101, 41 + 20 * (10 - n), kFallen)) << n;
    }
    EXPECT_EQ(Played("fall.wav"), 1);
    EXPECT_EQ(game_->field[0][0], 3);  // nothing re-coloured before the life test
    EXPECT_FALSE(insect->IsAlive());
    const int colour = game_->field[0][0];
    EXPECT_GE(colour, 1);
    EXPECT_LE(colour, 8);
    EXPECT_EQ(game_->field[2][5], colour);
    EXPECT_EQ(game_->field[4][1], 0);
    EXPECT_EQ(game_->field[1][7], 6);
    EXPECT_EQ(game_->field[3][3], kEmptyCell);
}

// After the ceiling has come down the boss follows the field, but its life row stays above the
// field and its defeat fall still ends on the screen row it always did.
TEST_F(BossFramework, AfterADescentTheLifeRowStaysAndTheFallEndsInItsPlace) {
    WritePicture("life.bmp", 8, 8, kLife);
    WritePicture("insecthitted.bmp", 10, 10, kFallen);
    auto insect = Make<InsectBoss>();
    insect->posX = 100, insect->posY = 40;
    game_->fieldTop = game_->baseTop + 2 * game_->rowHeight;
    Run(*insect, 1);
    EXPECT_TRUE(Shows(21, 20, kLife)) << "the life row where it was";
    EXPECT_FALSE(Shows(21, 20 + 2 * game_->rowHeight, kLife));
    insect->hitPoints = 0;
    const int from = 40 + 2 * game_->rowHeight;
    for (int n = 10; n >= 1; --n) {
        Run(*insect, 1);
        EXPECT_TRUE(Shows(101, 1 + from + (240 - from) * (10 - n) / 10, kFallen)) << n;
    }
}

TEST_F(BossFramework, StartRearmsABeatenBossWhereItStood) {
    auto wizard = Make<WizardBoss>();
    Run(*wizard, 57);
    wizard->hitPoints = 0;
    Run(*wizard, 10);
    ASSERT_FALSE(wizard->IsAlive());
    const int x = wizard->posX, y = wizard->posY, frame = wizard->frame;
    wizard->flashCountdown = 4;
    ResetSounds();
    wizard->Start();
    EXPECT_EQ(wizard->hitPoints, 24);
    EXPECT_EQ(wizard->defeatCountdown, 10);
    EXPECT_EQ(wizard->flashCountdown, 10);
    EXPECT_TRUE(wizard->active);
    EXPECT_TRUE(wizard->IsAlive());
    EXPECT_EQ(wizard->posX, x);
    EXPECT_EQ(wizard->posY, y);
    EXPECT_EQ(wizard->frame, frame);
    // A second defeat plays its own fall sound.
    wizard->hitPoints = 0;
    Run(*wizard, 1);
    EXPECT_EQ(Played("fall.wav"), 1);
}

TEST_F(BossFramework, WritesOutsideTheFieldOrPastARowsEndAreDropped) {
    auto wizard = Make<WizardBoss>();
    EXPECT_FALSE(wizard->SetCell(-1, 0, 3));
    EXPECT_FALSE(wizard->SetCell(kFieldRows, 0, 3));
    EXPECT_FALSE(wizard->SetCell(0, -1, 3));
    EXPECT_FALSE(wizard->SetCell(1, 7, 3));  // odd rows hold seven cells
    EXPECT_TRUE(FilledCells().empty());
    // With the push-mode parity the even rows are the short ones: the eighth ball of row 6
    // has no cell to land in, and the row's neighbour memory stays untouched.
    game_->pushMode = true;
    game_->rowParityFlag = true;
    game_->field[6][7] = 5;
    wizard->ballsToTop = false;
    wizard->FillRow();
    EXPECT_EQ(game_->field[6][6], 7);
    EXPECT_EQ(game_->field[6][7], 5);
    EXPECT_EQ(game_->field[7][0], kEmptyCell);
}

TEST_F(BossFramework, EveryBossSurvivesMissingPicturesAndLongFights) {
    // No pictures at all in the data directory: everything draws as nothing.
    std::unique_ptr<Boss> bosses[4];
    for (int kind = 0; kind < 4; ++kind)
        bosses[kind].reset(CreateBoss(kind, game_.get(), 30, 17, 154, 132, 22));
    for (int i = 0; i < 2000; ++i) {
        for (auto& boss : bosses) {
            if (i % 7 == 0) Strike(*static_cast<BossCommon*>(boss.get()));
            if (boss->IsAlive()) {
                Run(*boss, 1);
            } else {
                boss->Start();
            }
        }
    }
    // Whatever was thrown stayed inside the rows the bosses may use.
    for (const auto& [row, col] : FilledCells()) {
        EXPECT_LE(row, 9) << col;
        EXPECT_LT(col, game_->RowLength(row));
    }
}

}  // namespace
}  // namespace bosstest
