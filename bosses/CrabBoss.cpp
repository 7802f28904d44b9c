#include "bosses/CrabBoss.h"

#include <cstdlib>

#include "game/Game.h"
#include "game/GameRandom.h"
#include "gfx/BackBuffer.h"
#include "sound/SoundBank.h"

namespace {

constexpr int kCycle = 90;
constexpr int kAimFrame = 50;
constexpr int kThrowFrame = 80;
constexpr int kPoseFirst = 76;
constexpr int kPoseLast = 83;
constexpr int kDamagedAt = 10;
// The walk turns at these screen x values whatever the field's place.
constexpr int kWalkLeftEnd = 30;
constexpr int kWalkRightEnd = 90;
constexpr int kLastThrowColumn = 6;

}  // namespace

CrabBoss::CrabBoss(Game* game, int originX, int originY, int rangeWidth, int rangeHeight,
                   int cellWidth)
    : BossCommon(game, originX, originY, rangeWidth, rangeHeight, cellWidth, 65, 2),
      posX(originX + rangeWidth / 3),
      posY(originY + 5) {
    LoadImages(sparkImages, 3, "\\el%d.bmp", 0, Key::kBlack);
    LoadImages(damagedImages, 3, "\\crab0%d.bmp", 1, Key::kCorner);
    LoadImages(throwImages, 4, "\\crabthrow%d.bmp", 1, Key::kCorner);
    LoadImages(hitImages, 2, "\\crabhitted%d.bmp", 1, Key::kCorner);
    bodyImages[0] = LoadImage("\\crab.bmp", Key::kCorner);
    LoadImages(bodyImages + 1, 3, "\\crab%d.bmp", 1, Key::kCorner);
    markerImage = LoadImage("\\ball0.bmp", Key::kCorner);
    legImage = LoadImage("\\crableg.bmp", Key::kCorner);
    SetHitBox(posX + 3, posY - 3);
}

void CrabBoss::Start() {
    BossCommon::Start();
    legCountdown = 10;
}

void CrabBoss::Walk() {
    if (posX > kWalkLeftEnd && walkingLeft) {
        --posX;
    } else {
        walkingLeft = false;
        if (posX < kWalkRightEnd) {
            ++posX;
        } else {
            walkingLeft = true;
        }
    }
    SetHitBox(posX + 3, posY - 3);
}

void CrabBoss::PickThrowTarget() {
    do {
        throwRow = GameRand() % (kFieldRows - 3);
    } while (throwRow <= 2);
    throwCol = GameRand() % 8;
}

int CrabBoss::ThrowCell(int i) const {
    return throwCol + i <= kLastThrowColumn ? throwCol + i : i;
}

void CrabBoss::PlaceRow() {
    for (int i = 0; i < 4; ++i)
        SetCell(throwRow, ThrowCell(i), RandomColour());
    SoundBank::PlayLight();
}

void CrabBoss::Fight(BackBuffer& target) {
    ++frame;
    if (frame == kCycle) {
        PlaceRow();
        frame = 0;
    }
    if (frame % 2 == 0) Walk();
    if (frame == kAimFrame) PickThrowTarget();
    if (frame > kAimFrame && frame < kThrowFrame) DrawCharge(target);
    if (frame > kAimFrame && frame % 4 == 0) DrawMarkers(target);
    if (frame >= kThrowFrame) DrawFlyingSpark(target);
    DrawBody(target);
    hitFlag = false;
    DrawLifeRow(target);
    DrawFallingLeg(target);
}

void CrabBoss::DrawCharge(BackBuffer& target) {
    ++chargeFrame;
    if (chargeFrame >= 3) {
        chargeFrame = 0;  // the blank beat of the charge
        return;
    }
    Put(target, sparkImages[chargeFrame], posX + 20, posY, 0);
}

void CrabBoss::DrawMarkers(BackBuffer& target) {
    for (int i = 0; i < 4; ++i)
        Put(target, markerImage, CellLeft(throwRow, ThrowCell(i)), CellTop(throwRow), 0);
}

void CrabBoss::DrawFlyingSpark(BackBuffer& target) {
    const int t = frame - kThrowFrame;
    const int y = posY + ((throwRow * rowHeight - posY + originY) * t) / 10;
    // The spark heads for the first marked cell (column 7 wraps to column 0).
    const int towardX = CellLeft(throwRow, ThrowCell(0));
    const int x = posX + 20 + ((towardX - posX - 20) * t) / 10;
    const int index = chargeFrame >= 0 && chargeFrame < 3 ? chargeFrame : 0;
    Put(target, sparkImages[index], x, y, 0);
}

void CrabBoss::DrawBody(BackBuffer& target) {
    const bool damaged = hitPoints <= kDamagedAt;
    if (hitFlag) {
        SoundBank::PlayHit();
        Put(target, hitImages[damaged ? 1 : 0], posX, posY, 0);
        return;
    }
    if (frame >= kPoseFirst && frame <= kPoseLast) {
        static const int kPoseDrop[4] = {0, 10, 25, 40};
        const int pose = (frame - kPoseFirst) / 2;
        Put(target, throwImages[pose], posX, posY + kPoseDrop[pose], 0);
        return;
    }
    const int beat = frame % 8;
    if (damaged) {
        Put(target, damagedImages[beat < 4 ? 0 : beat < 6 ? 1 : 2], posX, posY, 0);
    } else {
        Put(target, bodyImages[beat / 2], posX, posY, 0);
    }
}

void CrabBoss::DrawFallingLeg(BackBuffer& target) {
    if (hitPoints > kDamagedAt || legCountdown == 0) return;
    PutOnScreen(target, legImage, posX + 40, FallingY(posY, 240, 10 - legCountdown), 0);
    --legCountdown;
}

void CrabBoss::Fall(BackBuffer& target) {
    SinkingFall(target, hitImages[1], posX, posY);
}
