// The second episode's boss: a crab that walks to and fro near the top of the field and, every
// 90 frames, marks four cells of a row, charges a spark and throws four random bubbles there.
// At 10 hit points it looks battered and loses a leg.
#pragma once

#include "bosses/BossCommon.h"

class CrabBoss : public BossCommon {
  public:
    CrabBoss(Game* game, int originX, int originY, int rangeWidth, int rangeHeight, int cellWidth);

    void Start() override;

    void Walk();
    void PickThrowTarget();
    // The column of the i-th of the four thrown bubbles; wraps to the row's start after 6.
    int ThrowCell(int i) const;
    void PlaceRow();

    int chargeFrame = 0;
    Bitmap* sparkImages[3] = {};
    Bitmap* damagedImages[3] = {};
    Bitmap* throwImages[4] = {};
    Bitmap* hitImages[2] = {};
    Bitmap* bodyImages[4] = {};
    Bitmap* markerImage = nullptr;
    Bitmap* legImage = nullptr;
    int frame = 0;
    int posX, posY;
    bool walkingLeft = true;
    int throwRow = 0, throwCol = 0;
    int legCountdown = 10;

  protected:
    void Fight(BackBuffer& target) override;
    void Fall(BackBuffer& target) override;

  private:
    void DrawCharge(BackBuffer& target);
    void DrawMarkers(BackBuffer& target);
    void DrawFlyingSpark(BackBuffer& target);
    void DrawBody(BackBuffer& target);
    void DrawFallingLeg(BackBuffer& target);
};
