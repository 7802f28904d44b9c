// The last boss: a wizard who hovers while eight magic balls gather around him, then rides his
// weapon to a new spot while the balls fly off as bubbles and overwrite the top row or row 6;
// every third cycle he also lays a line of one colour across a random row. A strike knocks
// his broom away for ten frames before the hit sound comes.
#pragma once

#include "bosses/BossCommon.h"

class WizardBoss : public BossCommon {
  public:
    WizardBoss(Game* game, int originX, int originY, int rangeWidth, int rangeHeight,
               int cellWidth);

    void Start() override;

    void PickMoveTarget();
    void MoveStep();
    void FillRow();
    void ThrowLine();
    void ComputeRing();

    struct Point {
        int x = 0, y = 0;
    };

    Point ring[8];
    bool ballsToTop = true;
    int flightChoice = 0;
    int cycleCount = 0;
    Bitmap* ballImages[9] = {};
    Bitmap* magicImages[3] = {};
    Bitmap* broomImages[4] = {};
    Bitmap* wizardRightImage = nullptr;
    Bitmap* wizardLeftImage = nullptr;
    Bitmap* ridingImage = nullptr;
    Bitmap* hitImage = nullptr;
    bool facingRight = false;
    int frame = 0;
    int posX, posY;
    int moveTargetX = 0, moveTargetY = 0;
    int prevX = 0, prevY = 0;
    int moveStep = 0;
    int flashCountdown = 10;

  protected:
    void Fight(BackBuffer& target) override;
    void Fall(BackBuffer& target) override;

  private:
    void StartCycle();
    void RideFrame(BackBuffer& target);
    void HoverFrame(BackBuffer& target);
    void FlashFrame(BackBuffer& target);
    void DrawFlyingBalls(BackBuffer& target);
    void DrawSpinningBroom(BackBuffer& target);
    void FlyingBroom(BackBuffer& target, int m);
};
