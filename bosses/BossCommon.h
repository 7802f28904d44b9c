// What the four bosses share: the hit square and its test, hit points and the life row, the
// defeat countdown with its one fall sound, the final re-colouring of the field, guarded writes
// into the field, and ownership of the pictures each boss loads.
#pragma once

#include <vector>

#include "bosses/Boss.h"

class BackBuffer;
class Bitmap;
class Game;

class BossCommon : public Boss {
  public:
    enum class Key { kNone, kCorner, kBlack, kRed };

    BossCommon(Game* game, int originX, int originY, int rangeWidth, int rangeHeight, int cellWidth,
               int boxSize, int hitMargin);
    ~BossCommon() override;
    BossCommon(const BossCommon&) = delete;
    BossCommon& operator=(const BossCommon&) = delete;

    bool HitTest(int x, int y, int width, int height) override;
    // Fights while active; once the hit points are gone, runs one frame of the defeat.
    void UpdateAndDraw(BackBuffer& target) override;
    // Replays the pictures of the last step: no move, no throw, no sound and no rand() draw.
    void DrawStill(BackBuffer& target) override;
    bool IsAlive() override;
    void Start() override;

    void SetHitBox(int x, int y);
    bool InHitBox(int px, int py) const;
    // Every bubble of the field takes one common random colour.
    void RecolourField();
    void DrawLifeRow(BackBuffer& target);
    // Writes a colour into the field; a cell outside the field or past its row's end is left
    // alone (and false is returned) so odd geometry can never write out of bounds.
    bool SetCell(int row, int col, int colour);
    // The fall sound, once per defeat.
    void PlayFallSoundOnce();
    // GameRand() mod n; a range that is empty gives 0 (the draw is still made).
    static int RandomBelow(int n);
    static int RandomColour();
    // How far the ceiling has brought the field down since the round began. The boss works in
    // the field's first place and is drawn and struck this much lower, so what it aims at
    // stays on the cells it writes.
    int FieldDrop() const;
    // Where the field draws cell (row, col), in the boss's frame (FieldDrop not added).
    int CellLeft(int row, int col) const;
    int CellTop(int row) const;

    Game* game;
    int originX, originY, rangeWidth, rangeHeight, cellWidth;
    int rowHeight;
    int hitPoints = 24;
    int boxX = 0, boxY = 0;
    int boxSize;
    int hitMargin;
    bool hitFlag = false;
    bool fallSoundPending = true;
    int defeatCountdown = 10;
    bool active = true;
    Bitmap* lifeImage = nullptr;

  protected:
    // Draws one picture of this step, moved down with the field, and keeps it for DrawStill.
    void Put(BackBuffer& target, const Bitmap* image, int x, int y, int anchor);
    // Draws at a place on the screen, wherever the field has come down to.
    void PutOnScreen(BackBuffer& target, const Bitmap* image, int x, int y, int anchor);
    // The screen y a fall reaches after `step` of its frames: from y in the boss's frame (so
    // from where the field has brought it) to the screen row endY.
    int FallingY(int y, int endY, int step) const;
    virtual void Fight(BackBuffer& target) = 0;
    virtual void Fall(BackBuffer& target) = 0;
    // The plain defeat: the image sinks from (x, y) toward y 240 in ten steps.
    void SinkingFall(BackBuffer& target, const Bitmap* image, int x, int y);

    Bitmap* LoadImage(const char* name, Key key);
    // Loads format with first, first + 1, ... into table[0 .. count - 1].
    void LoadImages(Bitmap** table, int count, const char* format, int first, Key key);

  private:
    struct StillPicture {
        const Bitmap* image;
        int x, y, anchor;
    };
    static constexpr int kMaxStillPictures = 48;
    std::vector<Bitmap*> owned_;
    StillPicture still_[kMaxStillPictures] = {};
    int stillCount_ = 0;
};
