#include "bosses/SnakeBoss.h"

#include <cstdlib>

#include "game/GameRandom.h"
#include "gfx/BackBuffer.h"
#include "sound/SoundBank.h"

namespace {

constexpr int kDropCycle = 40;
constexpr int kStepEvery = 3;
constexpr int kDropOffsetX = 18;
// Where the pieces 0..7 fly when the snake bursts.
constexpr int kBurstTargets[8][2] = {{-20, -20}, {90, -20}, {200, -20}, {200, 100},
                                     {200, 240}, {90, 240}, {-20, 240}, {-20, 100}};

}  // namespace

SnakeBoss::SnakeBoss(Game* game, int originX, int originY, int rangeWidth, int rangeHeight,
                     int cellWidth)
    : BossCommon(game, originX, originY, rangeWidth, rangeHeight, cellWidth, 28, -4),
      startX(originX),
      startY(originY) {
    LoadImages(headImages, 4, "\\snakehead%d.bmp", 1, Key::kCorner);
    LoadImages(bodyImages, 3, "\\snakebody%d.bmp", 1, Key::kCorner);
    hitImage = LoadImage("\\el0.bmp", Key::kBlack);
    for (Point& p : segments)
        p = {startX, startY};
    SetHitBox(startX, startY);
}

bool SnakeBoss::IsAlive() {
    if (BossCommon::IsAlive()) return true;
    fallSoundPending = true;
    return false;
}

void SnakeBoss::Advance(int x, int y, int d) {
    for (int i = kPieces - 1; i > 0; --i) {
        segments[i] = segments[i - 1];
        segmentDirs[i] = segmentDirs[i - 1];
    }
    segments[0] = {x, y};
    segmentDirs[0] = d;
}

bool SnakeBoss::Straight(int x, int y, int d, Point* to) const {
    const int L = originX, T = originY, W = rangeWidth, H = rangeHeight, c = cellWidth;
    switch (d) {
        case kDown:
            *to = {x, y + c};
            return y + c <= H + T;
        case kLeft:
            *to = {x - c, y};
            return x > L;
        case kRight:
            *to = {x + c, y};
            return x < W - c + L;
        case kUp:
            *to = {x, y - c};
            return y > T;
        default:
            return false;
    }
}

// The bounds are not symmetric between the directions; they are kept as the game has them.
bool SnakeBoss::Turn(int x, int y, int d, int coin, int* newDirection, Point* to) const {
    const int L = originX, T = originY, W = rangeWidth, H = rangeHeight, c = cellWidth;
    const bool goLeft = x - c >= L, goRightWide = x + 2 * c <= W + L;
    const bool goUp = y - c >= T, goDownWide = y + 2 * c <= H + T, goDown = y + c <= H + T;
    int nd = kDown;
    bool allowed = false;
    switch (d) {
        case kDown:
            nd = coin == 0 ? kLeft : kRight;
            allowed = coin == 0 ? goLeft : goRightWide;
            break;
        case kLeft:
            nd = coin == 0 ? kUp : kDown;
            allowed = coin == 0 ? goUp : goDownWide;
            break;
        case kRight:
            nd = coin == 0 ? kDown : kUp;
            allowed = coin == 0 ? goDown : goUp;
            break;
        case kUp:
            nd = coin == 0 ? kRight : kLeft;
            allowed = coin == 0 ? goRightWide : goLeft;
            break;
        default:
            return false;
    }
    static const int kStep[4][2] = {{0, 1}, {-1, 0}, {1, 0}, {0, -1}};
    *newDirection = nd;
    *to = {x + kStep[nd][0] * c, y + kStep[nd][1] * c};
    return allowed;
}

void SnakeBoss::Steer(int x, int y) {
    const int coin = GameRand() % 2;
    const int k = GameRand() % 12;
    Point to;
    if (k <= 9 && Straight(x, y, direction, &to)) {
        Advance(to.x, to.y, direction);
        return;
    }
    int turned = direction;
    if (!Turn(x, y, direction, coin, &turned, &to)) return;  // boxed in: stand this step
    direction = turned;
    Advance(to.x, to.y, direction);
}

void SnakeBoss::DropBubble(int x, int y) {
    const int r = y / rowHeight;
    const int row = (cellWidth * r) / rowHeight;
    const int col = x / cellWidth;
    SoundBank::PlayLight();
    SetCell(row, col, RandomColour());
}

void SnakeBoss::Fight(BackBuffer& target) {
    ++frame;
    if (frame % kDropCycle == 0) {
        DropBubble(segments[6].x - kDropOffsetX, segments[6].y);
        DropBubble(segments[5].x - kDropOffsetX, segments[5].y);
        frame = 0;
    }
    SetHitBox(segments[0].x - 4, segments[0].y);
    DrawHead(target);
    DrawBody(target);
    hitFlag = false;
    if (frame % kStepEvery == 0) Steer(segments[0].x, segments[0].y);
    DrawLifeRow(target);
}

void SnakeBoss::DrawHead(BackBuffer& target) {
    const Point& head = segments[0];
    switch (segmentDirs[0]) {
        case kLeft:
            Put(target, headImages[2], head.x - cellWidth, head.y, 0);
            break;
        case kRight:
            Put(target, headImages[1], head.x, head.y, 0);
            break;
        case kUp:
            Put(target, headImages[3], head.x, head.y, kAnchorVCenter);
            break;
        default:
            Put(target, headImages[0], head.x, head.y, 0);
            break;
    }
}

void SnakeBoss::DrawBody(BackBuffer& target) {
    if (hitFlag) {
        SoundBank::PlayHit();
        for (int i = 1; i <= 8; ++i)
            Put(target, hitImage, segments[i].x, segments[i].y, 0);
        return;
    }
    for (int i = 1; i <= 8; ++i)
        Put(target, bodyImages[GameRand() % 3], segments[i].x, segments[i].y, 0);
}

void SnakeBoss::Fall(BackBuffer& target) {
    const int k = 10 - defeatCountdown;
    for (int i = 0; i < 8; ++i) {
        const Bitmap* image = bodyImages[GameRand() % 3];
        const int x = segments[i].x + ((kBurstTargets[i][0] - segments[i].x) * k) / 10;
        PutOnScreen(target, image, x, FallingY(segments[i].y, kBurstTargets[i][1], k), 0);
    }
    PlayFallSoundOnce();
    --defeatCountdown;
}
