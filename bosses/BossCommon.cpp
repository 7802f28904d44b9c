#include "bosses/BossCommon.h"

#include <cstdio>
#include <cstdlib>

#include "game/Game.h"
#include "game/GameRandom.h"
#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "sound/SoundBank.h"

namespace {

constexpr int kFullHitPoints = 24;
constexpr int kFallFrames = 10;
constexpr int kFallFloorY = 240;

}  // namespace

BossCommon::BossCommon(Game* game, int originX, int originY, int rangeWidth, int rangeHeight,
                       int cellWidth, int boxSize, int hitMargin)
    : game(game),
      originX(originX),
      originY(originY),
      rangeWidth(rangeWidth),
      rangeHeight(rangeHeight),
      cellWidth(cellWidth),
      rowHeight(static_cast<int>(cellWidth * 0.866)),
      boxSize(boxSize),
      hitMargin(hitMargin) {
    lifeImage = LoadImage("\\life.bmp", Key::kNone);
}

BossCommon::~BossCommon() {
    for (Bitmap* b : owned_)
        delete b;
}

bool BossCommon::InHitBox(int px, int py) const {
    const int top = boxY + FieldDrop();
    return boxX < px && px < boxX + boxSize && top < py && py < top + boxSize;
}

bool BossCommon::HitTest(int x, int y, int width, int height) {
    const int m = hitMargin;
    const bool struck = InHitBox(x + m, y + m) || InHitBox(x + width - m, y + height - m) ||
                        InHitBox(x + width - m, y + m) || InHitBox(x + m, y + height - m);
    // Deliberately blind to the defeat: a shot into the sinking boss still vanishes.
    if (struck) --hitPoints;
    hitFlag = struck;
    return struck;
}

void BossCommon::UpdateAndDraw(BackBuffer& target) {
    stillCount_ = 0;
    if (hitPoints <= 0) active = false;
    if (active) {
        Fight(target);
    } else {
        Fall(target);
    }
}

void BossCommon::DrawStill(BackBuffer& target) {
    for (int i = 0; i < stillCount_; ++i)
        target.Draw(still_[i].image, still_[i].x, still_[i].y, still_[i].anchor);
}

int BossCommon::FieldDrop() const {
    return game ? game->fieldTop - game->baseTop : 0;
}

int BossCommon::CellLeft(int row, int col) const {
    const bool shifted = game ? game->IsShiftedRow(row) : row % 2 == 1;
    return originX + col * cellWidth + (shifted ? cellWidth / 2 : 0);
}

int BossCommon::CellTop(int row) const {
    return originY + row * rowHeight;
}

void BossCommon::Put(BackBuffer& target, const Bitmap* image, int x, int y, int anchor) {
    PutOnScreen(target, image, x, y + FieldDrop(), anchor);
}

void BossCommon::PutOnScreen(BackBuffer& target, const Bitmap* image, int x, int y, int anchor) {
    target.Draw(image, x, y, anchor);
    if (stillCount_ < kMaxStillPictures) still_[stillCount_++] = {image, x, y, anchor};
}

int BossCommon::FallingY(int y, int endY, int step) const {
    const int from = y + FieldDrop();
    return from + ((endY - from) * step) / kFallFrames;
}

bool BossCommon::IsAlive() {
    if (defeatCountdown > 0) return true;
    RecolourField();
    return false;
}

void BossCommon::Start() {
    stillCount_ = 0;
    hitPoints = kFullHitPoints;
    defeatCountdown = kFallFrames;
    active = true;
    fallSoundPending = true;
}

void BossCommon::SetHitBox(int x, int y) {
    boxX = x;
    boxY = y;
}

void BossCommon::RecolourField() {
    const int colour = RandomColour();
    if (!game) return;
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < game->RowLength(r) && c < kFieldCols; ++c) {
            if (game->field[r][c] > 0) game->field[r][c] = colour;
        }
    }
}

void BossCommon::DrawLifeRow(BackBuffer& target) {
    // Above the field, where it stays: brought down with the field it would cover bubbles.
    for (int i = 0; i <= hitPoints / 2; ++i)
        PutOnScreen(target, lifeImage, originX + 8 * i - 10, originY + 2, 0);
}

bool BossCommon::SetCell(int row, int col, int colour) {
    if (!game || row < 0 || row >= kFieldRows) return false;
    if (col < 0 || col >= game->RowLength(row) || col >= kFieldCols) return false;
    game->field[row][col] = colour;
    return true;
}

void BossCommon::PlayFallSoundOnce() {
    if (!fallSoundPending) return;
    SoundBank::PlayFall();
    fallSoundPending = false;
}

int BossCommon::RandomBelow(int n) {
    const int value = GameRand();
    return n > 0 ? value % n : 0;
}

int BossCommon::RandomColour() {
    return 1 + GameRand() % 8;
}

void BossCommon::SinkingFall(BackBuffer& target, const Bitmap* image, int x, int y) {
    const int n = defeatCountdown;
    PutOnScreen(target, image, x, FallingY(y, kFallFloorY, kFallFrames - n), 0);
    PlayFallSoundOnce();
    --defeatCountdown;
}

Bitmap* BossCommon::LoadImage(const char* name, Key key) {
    Bitmap* bitmap = Bitmap::Load(name);
    if (!bitmap) return nullptr;
    owned_.push_back(bitmap);
    switch (key) {
        case Key::kCorner:
            bitmap->SetColorKeyFromCorner();
            break;
        case Key::kBlack:
            bitmap->SetColorKey(0, 0, 0);
            break;
        case Key::kRed:
            bitmap->SetColorKey(255, 0, 0);
            break;
        case Key::kNone:
            break;
    }
    return bitmap;
}

void BossCommon::LoadImages(Bitmap** table, int count, const char* format, int first, Key key) {
    char name[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, format, first + i);
        table[i] = LoadImage(name, key);
    }
}
