#include "bosses/WizardBoss.h"

#include <cstdlib>

#include "game/GameRandom.h"
#include "gfx/BackBuffer.h"
#include "sound/SoundBank.h"

namespace {

constexpr int kCycle = 40;
constexpr int kLastHoverFrame = 30;
constexpr int kMoveSteps = 8;
constexpr int kFlashFrames = 10;
constexpr int kLineLength = 7;
constexpr int kBroomHideX = 81, kBroomHideY = 81;
// The ring of gathering points around the wizard, from his reference point.
constexpr int kRing[8][2] = {{0, 0},   {35, -6}, {76, -6}, {81, 38},
                             {76, 76}, {35, 81}, {0, 76},  {-11, 32}};

}  // namespace

WizardBoss::WizardBoss(Game* game, int originX, int originY, int rangeWidth, int rangeHeight,
                       int cellWidth)
    : BossCommon(game, originX, originY, rangeWidth, rangeHeight, cellWidth, 54, 2),
      posX(originX),
      posY(originY) {
    LoadImages(ballImages, 9, "\\ball%d.bmp", 0, Key::kCorner);
    magicImages[0] = LoadImage("\\wizardball.bmp", Key::kBlack);
    LoadImages(magicImages + 1, 2, "\\wizardball%d.bmp", 1, Key::kBlack);
    LoadImages(broomImages, 4, "\\broom%d.bmp", 0, Key::kRed);
    wizardRightImage = LoadImage("\\wizard.bmp", Key::kRed);
    wizardLeftImage = LoadImage("\\wizard1.bmp", Key::kRed);
    ridingImage = LoadImage("\\wizardweapon.bmp", Key::kRed);
    hitImage = LoadImage("\\wizardhitted.bmp", Key::kRed);
    // The first ride brings him to the origin; the balls gather around that spot already.
    ComputeRing();
    SetHitBox(posX - 3, posY - 3);
}

void WizardBoss::Start() {
    BossCommon::Start();
    flashCountdown = kFlashFrames;
}

void WizardBoss::PickMoveTarget() {
    moveTargetX = RandomBelow(rangeWidth);
    moveTargetY = RandomBelow(rangeHeight);
}

void WizardBoss::MoveStep() {
    if (moveStep < kMoveSteps) {
        facingRight = prevX < moveTargetX;
        const int s = ++moveStep;
        posY = originY + prevY + ((((moveTargetY - prevY) / rowHeight) * cellWidth) * s) / 8;
        posX = originX + prevX + ((((moveTargetX - prevX) / cellWidth) * cellWidth) * s) / 8;
        return;
    }
    posX = (moveTargetX / cellWidth) * cellWidth + originX;
    if ((moveTargetY / rowHeight) % 2 == 1) posX += cellWidth / 2;
    FillRow();
    moveStep = 0;
}

void WizardBoss::FillRow() {
    if (ballsToTop) {
        // Seven balls fly to cells 1..7; cell 0 takes the eighth colour.
        SetCell(0, 0, 8);
        for (int c = 1; c <= 7; ++c)
            SetCell(0, c, c);
        return;
    }
    for (int c = 0; c <= 7; ++c)
        SetCell(6, c, c + 1);
}

void WizardBoss::ThrowLine() {
    int row = 0;
    // A row height too small to reach row 4 would never end the draw.
    if (rowHeight > 4) {
        do {
            row = GameRand() % rowHeight;
        } while (row < 4 || row > 9);
    }
    const int colour = RandomColour();
    for (int c = 0; c < kLineLength; ++c)
        SetCell(row, c, colour);
    SoundBank::PlayLight();
}

void WizardBoss::ComputeRing() {
    for (int i = 0; i < 8; ++i)
        ring[i] = {posX + kRing[i][0], posY + kRing[i][1]};
}

void WizardBoss::StartCycle() {
    flightChoice = GameRand() % 2;
    prevX = posX;
    prevY = posY;
    PickMoveTarget();
    if (cycleCount == 2) {
        ThrowLine();
        cycleCount = 0;
    } else {
        ++cycleCount;
    }
    ComputeRing();
    SetHitBox(posX - 3, posY - 3);
    frame = 0;
}

void WizardBoss::Fight(BackBuffer& target) {
    ++frame;
    if (frame == kCycle) StartCycle();
    if (frame > kLastHoverFrame) {
        RideFrame(target);
    } else {
        HoverFrame(target);
    }
    if (flashCountdown == 0) {
        SoundBank::PlayHit();
        hitFlag = false;
        flashCountdown = kFlashFrames;
    }
    DrawLifeRow(target);
}

void WizardBoss::RideFrame(BackBuffer& target) {
    MoveStep();
    SetHitBox(posX - 3, posY - 3);
    ballsToTop = flightChoice == 0;
    DrawFlyingBalls(target);
    if (hitFlag) {
        FlashFrame(target);
        return;
    }
    Put(target, ridingImage, posX - 3, posY - 3, 0);
    DrawSpinningBroom(target);
}

void WizardBoss::DrawFlyingBalls(BackBuffer& target) {
    const int t = frame - kLastHoverFrame;
    // Each ball lands on the cell FillRow gives its colour: ball i has colour i + 1.
    const int row = ballsToTop ? 0 : 6;
    for (int i = 0; i < 8; ++i) {
        const int cell = ballsToTop ? (i + 1) % 8 : i;
        const int x = ring[i].x + ((CellLeft(row, cell) - ring[i].x) * t) / 9;
        const int y = ring[i].y + ((CellTop(row) - ring[i].y) * t) / 9;
        Put(target, ballImages[i + 1], x, y, 0);
    }
}

void WizardBoss::DrawSpinningBroom(BackBuffer& target) {
    const int px = facingRight ? posX + 25 : posX;
    const int py = facingRight ? posY + 36 : posY + 49;
    if (frame <= 31) return;
    if (frame <= 33) {
        Put(target, broomImages[0], px, py, 0);
    } else if (frame <= 35) {
        Put(target, broomImages[1], px, py, kAnchorBottom);
    } else if (frame <= 37) {
        Put(target, broomImages[2], px, py, kAnchorBottom | kAnchorRight);
    } else {
        Put(target, broomImages[3], px, py, kAnchorRight);
    }
}

void WizardBoss::HoverFrame(BackBuffer& target) {
    for (int i = 0; i <= frame / 4 && i < 8; ++i)
        Put(target, magicImages[GameRand() % 3], ring[i].x, ring[i].y, 0);
    if (hitFlag) {
        FlashFrame(target);  // the hit square stays at the last hover point
        return;
    }
    const int f = frame;
    int dx = 0, dy = 0;
    if (f <= 7) {
        dx = f - 3, dy = f - 3;
    } else if (f <= 15) {
        dx = f - 3, dy = 13 - f;
    } else if (f <= 22) {
        dx = 28 - f, dy = f - 19;
    } else {
        dx = 28 - f, dy = 28 - f;
    }
    Put(target, facingRight ? wizardRightImage : wizardLeftImage, posX + dx, posY + dy, 0);
    SetHitBox(posX + dx, posY + dy);
}

void WizardBoss::FlashFrame(BackBuffer& target) {
    Put(target, hitImage, posX - 3, posY - 3, 0);
    FlyingBroom(target, flashCountdown);
    --flashCountdown;
}

void WizardBoss::FlyingBroom(BackBuffer& target, int m) {
    const int x = posX - ((posX + kBroomHideX) * (10 - m)) / 10;
    const int y = FallingY(posY, -kBroomHideY, 10 - m);
    // Kept in range even if the countdown has run past zero.
    PutOnScreen(target, broomImages[(defeatCountdown % 4 + 4) % 4], x, y, 0);
}

void WizardBoss::Fall(BackBuffer& target) {
    const int n = defeatCountdown;
    PutOnScreen(target, ridingImage, posX, FallingY(posY, 240, 10 - n), 0);
    FlyingBroom(target, n);
    PlayFallSoundOnce();
    --defeatCountdown;
}
