// The first episode's boss: an insect that rests, charges two sparks in its claws and hurls
// them while it hops to a new random spot; each spark lands as a random bubble.
#pragma once

#include "bosses/BossCommon.h"

class InsectBoss : public BossCommon {
  public:
    InsectBoss(Game* game, int originX, int originY, int rangeWidth, int rangeHeight,
               int cellWidth);

    struct Spark {
        int targetX = 0, targetY = 0;  // relative to the field origin
        int row = 0, col = 0;          // the cell it became
    };
    struct Point {
        int x = 0, y = 0;
    };

    void PickMoveTarget();
    void PickSparkTarget(int k);
    void MoveStep();
    void DropSpark(int k);

    Bitmap* bodyImages[4] = {};
    Bitmap* damagedImages[4] = {};
    Bitmap* sparkImages[3] = {};
    Bitmap* hitImage = nullptr;
    int frame = 0;
    int posX, posY;
    int moveTargetX = 0, moveTargetY = 0;
    int prevX = 0, prevY = 0;
    int moveStep = 0;
    Spark sparks[2];
    Point sparkStart[2];

  protected:
    void Fight(BackBuffer& target) override;
    void Fall(BackBuffer& target) override;

  private:
    const Bitmap* IdleLook() const;
    const Bitmap* ChargingLook() const;
    void MoveFrame(BackBuffer& target);
    void ChargeFrame(BackBuffer& target);
};
