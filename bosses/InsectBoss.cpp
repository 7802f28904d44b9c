#include "bosses/InsectBoss.h"

#include <initializer_list>

#include "gfx/BackBuffer.h"
#include "sound/SoundBank.h"

namespace {

constexpr int kCycle = 40;
constexpr int kLastRestFrame = 15;
constexpr int kLastChargeFrame = 30;
constexpr int kLaunchFrame = 29;
constexpr int kMoveSteps = 8;
constexpr int kDamagedAt = 10;

}  // namespace

InsectBoss::InsectBoss(Game* game, int originX, int originY, int rangeWidth, int rangeHeight,
                       int cellWidth)
    : BossCommon(game, originX, originY, rangeWidth, rangeHeight, cellWidth, 55, 2),
      posX(originX),
      posY(originY) {
    LoadImages(bodyImages, 4, "\\insect%d.bmp", 0, Key::kCorner);
    LoadImages(damagedImages, 4, "\\insect0%d.bmp", 0, Key::kCorner);
    LoadImages(sparkImages, 3, "\\el%d.bmp", 0, Key::kCorner);
    hitImage = LoadImage("\\insecthitted.bmp", Key::kCorner);
    // The first move brings the insect here anyway; start it where it will be.
    SetHitBox(originX - 3, originY - 3);
}

void InsectBoss::PickMoveTarget() {
    moveTargetX = RandomBelow(rangeWidth);
    moveTargetY = RandomBelow(rangeHeight);
}

void InsectBoss::PickSparkTarget(int k) {
    sparks[k].targetX = RandomBelow(rangeWidth);
    sparks[k].targetY = RandomBelow(rangeHeight);
}

void InsectBoss::MoveStep() {
    if (moveStep < kMoveSteps) {
        const int s = ++moveStep;
        // Whole rows of rowHeight are counted but each is moved a full cell width.
        posY = originY + prevY + ((((moveTargetY - prevY) / rowHeight) * cellWidth) * s) / 8;
        posX = originX + prevX + ((((moveTargetX - prevX) / cellWidth) * cellWidth) * s) / 8;
        return;
    }
    posX = (moveTargetX / cellWidth) * cellWidth + originX;
    if ((moveTargetY / rowHeight) % 2 == 1) posX += cellWidth / 2;
    moveStep = 0;
}

void InsectBoss::DropSpark(int k) {
    Spark& spark = sparks[k];
    spark.row = spark.targetY / rowHeight;
    spark.col = spark.targetX / cellWidth;
    if (k == 0) SoundBank::PlayLight();
    SetCell(spark.row, spark.col, RandomColour());
}

const Bitmap* InsectBoss::IdleLook() const {
    if (hitFlag) return hitImage;
    return (hitPoints <= kDamagedAt ? damagedImages : bodyImages)[frame % 2];
}

const Bitmap* InsectBoss::ChargingLook() const {
    return (hitPoints <= kDamagedAt ? damagedImages : bodyImages)[frame % 4 == 0 ? 2 : 3];
}

void InsectBoss::Fight(BackBuffer& target) {
    ++frame;
    if (frame == kCycle) {
        prevX = posX;
        prevY = posY;
        PickMoveTarget();
        SetHitBox(posX - 3, posY - 3);
        DropSpark(0);
        DropSpark(1);
        frame = 0;
    }
    if (frame > kLastChargeFrame) MoveFrame(target);
    if (frame <= kLastRestFrame) Put(target, IdleLook(), posX - 3, posY - 3, 0);
    if (frame > kLastRestFrame && frame <= kLastChargeFrame) ChargeFrame(target);
    DrawLifeRow(target);
    hitFlag = false;
}

void InsectBoss::MoveFrame(BackBuffer& target) {
    MoveStep();
    SetHitBox(posX - 3, posY - 3);
    Put(target, IdleLook(), posX - 3, posY - 3, 0);
    const int t = frame - kLastChargeFrame;
    for (const int k : {0, 1}) {
        // Each spark heads for the cell it will become.
        const int row = sparks[k].targetY / rowHeight;
        const int toX = CellLeft(row, sparks[k].targetX / cellWidth);
        const int toY = CellTop(row);
        const int x = sparkStart[k].x + ((toX - sparkStart[k].x) * t) / 10;
        const int y = sparkStart[k].y + ((toY - sparkStart[k].y) * t) / 10;
        Put(target, sparkImages[frame % 3], x, y, 0);
    }
}

void InsectBoss::ChargeFrame(BackBuffer& target) {
    if (hitFlag) {
        SoundBank::PlayHit();
        Put(target, hitImage, posX - 3, posY - 3, 0);
    } else {
        Put(target, ChargingLook(), posX - 3, posY - 3, 0);
    }
    Put(target, sparkImages[frame % 3], posX - 3, posY + 21, 0);
    Put(target, sparkImages[frame % 3], posX + 25, posY + 21, 0);
    if (frame == kLaunchFrame) {
        sparkStart[0] = {posX - 3, posY + 21};
        sparkStart[1] = {posX + 25, posY + 21};
        PickSparkTarget(0);
        PickSparkTarget(1);
    }
}

void InsectBoss::Fall(BackBuffer& target) {
    SinkingFall(target, hitImage, posX, posY);
}
