// The third episode's boss: a snake of a head and eight body pieces crawling over the upper
// field one cell at a time. Only the head can be struck; every 40 frames two body pieces
// leave random bubbles behind. Beaten, it bursts into pieces flying apart.
#pragma once

#include "bosses/BossCommon.h"

class SnakeBoss : public BossCommon {
  public:
    enum Direction : int { kDown = 0, kLeft = 1, kRight = 2, kUp = 3 };
    static constexpr int kPieces = 10;  // head, eight body pieces, and the old tail spot

    SnakeBoss(Game* game, int originX, int originY, int rangeWidth, int rangeHeight, int cellWidth);

    bool IsAlive() override;

    void Advance(int x, int y, int d);
    void Steer(int x, int y);
    void DropBubble(int x, int y);

    struct Point {
        int x = 0, y = 0;
    };

    Bitmap* headImages[4] = {};
    Bitmap* bodyImages[3] = {};
    Bitmap* hitImage = nullptr;
    int frame = 0;
    int startX, startY;
    Point segments[kPieces];
    int segmentDirs[kPieces] = {};
    int direction = kDown;

  protected:
    void Fight(BackBuffer& target) override;
    void Fall(BackBuffer& target) override;

  private:
    // The move the head would make from (x, y) going d, if the field allows it.
    bool Straight(int x, int y, int d, Point* to) const;
    bool Turn(int x, int y, int d, int coin, int* newDirection, Point* to) const;
    void DrawHead(BackBuffer& target);
    void DrawBody(BackBuffer& target);
};
