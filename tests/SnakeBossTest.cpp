// The snake: its grid walk and blocked turns, where its pieces drop bubbles, that only its
// head is a target, how its head is placed, and its burst.
#include <set>

#include "bosses/SnakeBoss.h"
#include "tests/BossFixture.h"

namespace bosstest {
namespace {

constexpr Rgb kHead = {250, 120, 40};
constexpr Rgb kBody = {60, 220, 90};
constexpr Rgb kSpark = {255, 255, 255};

using Snake = BossTest;

// Lays the snake out along a path of grid points, head first.
void Lay(SnakeBoss& snake, const std::vector<std::pair<int, int>>& cells, int direction) {
    for (int i = 0; i < SnakeBoss::kPieces; ++i) {
        const auto& c = cells[std::min<size_t>(i, cells.size() - 1)];
        snake.segments[i] = {c.first, c.second};
        snake.segmentDirs[i] = direction;
    }
    snake.direction = direction;
}

TEST_F(Snake, HeadStaysOnTheSevenBySevenGridAndStepsEveryThirdFrame) {
    auto snake = Make<SnakeBoss>();
    std::set<int> xs, ys;
    int moves = 0;
    for (int i = 0; i < 3000; ++i) {
        const auto before = snake->segments[0];
        const int frameBefore = snake->frame;
        Run(*snake, 1);
        const auto& head = snake->segments[0];
        if (head.x != before.x || head.y != before.y) {
            ++moves;
            EXPECT_EQ(snake->frame % 3, 0) << frameBefore;
            EXPECT_EQ(std::abs(head.x - before.x) + std::abs(head.y - before.y), 22);
        }
        ASSERT_EQ((head.x - 30) % 22, 0);
        ASSERT_EQ((head.y - 17) % 22, 0);
        xs.insert(head.x);
        ys.insert(head.y);
    }
    EXPECT_EQ(*xs.begin(), 30);
    EXPECT_EQ(*xs.rbegin(), 162);
    EXPECT_EQ(*ys.begin(), 17);
    EXPECT_EQ(*ys.rbegin(), 149);
    EXPECT_GT(moves, 500);
}

TEST_F(Snake, StandsStillWhenTheWayAheadAndTheTurnAreBlocked) {
    // A field with no room at all: every move is refused.
    auto snake = std::make_unique<SnakeBoss>(game_.get(), 30, 17, 0, 0, 22);
    for (int d = 0; d < 4; ++d) {
        snake->direction = d;
        for (int i = 0; i < 20; ++i)
            snake->Steer(30, 17);
        EXPECT_EQ(snake->direction, d);
        EXPECT_EQ(snake->segments[0].x, 30);
        EXPECT_EQ(snake->segments[0].y, 17);
    }
    // Bottom-left corner going down: straight and the left turn are refused, the right turn
    // is taken; so every step either stands or turns right.
    auto free = Make<SnakeBoss>();
    int stood = 0, turned = 0;
    for (int i = 0; i < 60; ++i) {
        Lay(*free, {{30, 149}, {30, 127}}, SnakeBoss::kDown);
        free->Steer(30, 149);
        if (free->segments[0].x == 30 && free->segments[0].y == 149 && free->segments[1].y == 127) {
            ++stood;
            EXPECT_EQ(free->direction, SnakeBoss::kDown);
        } else {
            ++turned;
            EXPECT_EQ(free->segments[0].x, 52);
            EXPECT_EQ(free->segments[0].y, 149);
            EXPECT_EQ(free->direction, SnakeBoss::kRight);
            EXPECT_EQ(free->segmentDirs[0], SnakeBoss::kRight);
            EXPECT_EQ(free->segments[1].x, 30);  // the body followed
        }
    }
    EXPECT_GT(stood, 0);
    EXPECT_GT(turned, 0);
}

TEST_F(Snake, DroppedBubblesNeverLandInRowsOneSevenOrNineToEleven) {
    auto snake = Make<SnakeBoss>();
    // Each grid row maps to its field row.
    const int expected[7] = {0, 2, 3, 4, 5, 6, 8};
    for (int j = 0; j < 7; ++j) {
        for (int i = 0; i < 7; ++i) {
            EmptyField();
            snake->DropBubble(30 + 22 * i - 18, 17 + 22 * j);
            const auto cells = FilledCells();
            ASSERT_EQ(cells.size(), 1u);
            EXPECT_EQ(cells[0].first, expected[j]);
            EXPECT_EQ(cells[0].second, i);
        }
    }
    ResetSounds();
    EmptyField();
    Run(*snake, 40 * 80);
    std::set<int> rows;
    for (const auto& [row, col] : FilledCells()) {
        rows.insert(row);
        EXPECT_LE(col, 6);
    }
    for (int forbidden : {1, 7, 9, 10, 11})
        EXPECT_EQ(rows.count(forbidden), 0u) << forbidden;
    EXPECT_EQ(Played("light.wav"), 2 * 80);
}

TEST_F(Snake, OnlyTheHeadIsATarget) {
    auto snake = Make<SnakeBoss>();
    Lay(*snake, {{96, 61}, {96, 83}, {96, 105}, {96, 127}}, SnakeBoss::kUp);
    snake->frame = 1;
    Run(*snake, 1);  // places the square at the head
    EXPECT_EQ(snake->boxX, 92);
    EXPECT_EQ(snake->boxY, 61);
    EXPECT_FALSE(snake->HitTest(100, 105, 22, 22));  // over a body piece
    EXPECT_FALSE(snake->HitTest(100, 127, 22, 22));
    EXPECT_TRUE(snake->HitTest(100, 70, 22, 22));
    EXPECT_TRUE(snake->HitTest(100, 88, 22, 22));  // 4-pixel reach below the square
    // The widened shot (30 pixels) is wider than the square (28): a shot lying exactly over
    // the head point has every test point outside, so it passes.
    EXPECT_FALSE(snake->HitTest(96, 61, 22, 22));
    EXPECT_FALSE(snake->HitTest(95, 70, 22, 22));
}

TEST_F(Snake, HeadPictureFollowsItsDirection) {
    WritePicture("snakehead1.bmp", 22, 44, kHead);
    WritePicture("snakehead2.bmp", 44, 22, kHead);
    WritePicture("snakehead3.bmp", 44, 22, kHead);
    WritePicture("snakehead4.bmp", 22, 44, kHead);
    auto snake = Make<SnakeBoss>();
    struct Case {
        int direction, x, y;
    };
    // Head at (96, 61); where the picture's top-left corner goes.
    for (const Case& c : {Case{SnakeBoss::kDown, 96, 61}, Case{SnakeBoss::kRight, 96, 61},
                          Case{SnakeBoss::kLeft, 74, 61}, Case{SnakeBoss::kUp, 96, 39}}) {
        Lay(*snake, {{96, 61}}, c.direction);
        snake->frame = 1;  // no step this frame
        Run(*snake, 1);
        EXPECT_TRUE(Shows(c.x + 1, c.y + 1, kHead)) << c.direction;
        EXPECT_FALSE(Shows(c.x - 1, c.y + 1, kHead)) << c.direction;
        EXPECT_EQ(snake->boxX, 92) << c.direction;  // the square stays at the head point
    }
}

TEST_F(Snake, StrikeFlashesEveryBodyPieceWithOneHitSound) {
    WritePicture("el0.bmp", 6, 6, kSpark);
    WritePicture("snakebody1.bmp", 6, 6, kBody);
    WritePicture("snakebody2.bmp", 6, 6, kBody);
    WritePicture("snakebody3.bmp", 6, 6, kBody);
    auto snake = Make<SnakeBoss>();
    std::vector<std::pair<int, int>> path;
    for (int i = 0; i < 10; ++i)
        path.emplace_back(30 + 22 * (i % 7), 17 + 22 * (i / 7));
    Lay(*snake, path, SnakeBoss::kLeft);
    snake->frame = 1;
    ASSERT_TRUE(Strike(*snake));
    Run(*snake, 1);
    EXPECT_EQ(Played("hit.wav"), 1);
    for (int i = 1; i <= 8; ++i)
        EXPECT_TRUE(Shows(path[i].first + 1, path[i].second + 1, kSpark)) << i;
    Run(*snake, 1);
    EXPECT_TRUE(Shows(path[1].first + 1, path[1].second + 1, kBody));
    EXPECT_EQ(Played("hit.wav"), 1);
}

TEST_F(Snake, BurstsPiecesTowardTheScreenEdgesAndRearmsItsFallSound) {
    WritePicture("snakebody1.bmp", 4, 4, kBody);
    WritePicture("snakebody2.bmp", 4, 4, kBody);
    WritePicture("snakebody3.bmp", 4, 4, kBody);
    WritePicture("snakehead1.bmp", 22, 44, kHead);
    auto snake = Make<SnakeBoss>();
    Lay(*snake, {{96, 83}}, SnakeBoss::kDown);
    snake->hitPoints = 0;
    Run(*snake, 1);  // k = 0: everything still at (96, 83)
    EXPECT_TRUE(Shows(97, 84, kBody));
    EXPECT_EQ(Played("fall.wav"), 1);
    Run(*snake, 4);  // k = 4
    EXPECT_FALSE(Shows(97, 84, kHead));
    EXPECT_TRUE(Shows(96 + ((-20 - 96) * 4) / 10 + 1, 83 + ((-20 - 83) * 4) / 10 + 1, kBody));
    EXPECT_TRUE(Shows(96 + ((200 - 96) * 4) / 10 + 1, 83 + ((240 - 83) * 4) / 10 + 1, kBody));
    Run(*snake, 5);
    EXPECT_EQ(Played("fall.wav"), 1);
    EXPECT_FALSE(snake->fallSoundPending);
    EXPECT_FALSE(snake->IsAlive());
    EXPECT_TRUE(snake->fallSoundPending);
}

}  // namespace
}  // namespace bosstest
