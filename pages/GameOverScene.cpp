#include "pages/GameOverScene.h"

#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "sound/SoundBank.h"

namespace {
enum Entry { kNewGame = 0, kRetry = 1, kHiScores = 2, kTitle = 3 };
constexpr int kEntries = 4;
// The cursor ball sits left of the labels; only the labels' column answers a tap.
constexpr int kTapInset = 30;
}  // namespace

GameOverScene::GameOverScene(Game* owner)
    : game(owner), background(Bitmap::Load("\\gameover.bmp")), cursor(Bitmap::Load("\\ball1.bmp")) {
    if (cursor) cursor->SetColorKey(0, 0, 0);
}

GameOverScene::~GameOverScene() {
    delete background;
    delete cursor;
}

void GameOverScene::Draw(BackBuffer& target) {
    target.Draw(background, 0, 0, 0);
    target.Draw(cursor, menuLeft, menuTop + entryHeight * selection, 0);
}

void GameOverScene::OnKey(int key) {
    if (key == game->keys.vkUp) {
        SoundBank::PlayMenu();
        selection = selection == 0 ? kEntries - 1 : selection - 1;
    }
    if (key == game->keys.vkDown) {
        SoundBank::PlayMenu();
        selection = selection == kEntries - 1 ? 0 : selection + 1;
    }
    if (!IsConfirmKey(key)) return;
    SoundBank::PlayMenu();
    Confirm();
}

void GameOverScene::Confirm() {
    switch (selection) {
        case kNewGame:
            game->NewGame();
            game->state = kStatePlay;
            game->SetRunning();
            break;
        case kRetry:
            game->RetryRound();
            game->state = kStatePlay;
            game->SetRunning();
            break;
        case kHiScores:
            game->hiScoreReturnState = kStateGameOver;
            game->state = kStateHiScores;
            break;
        case kTitle:
            game->state = kStateTitle;
            break;
        default:
            break;
    }
}

void GameOverScene::OnTap(int x, int y) {
    const bool inside = x > menuLeft + kTapInset && x < menuLeft + menuWidth && y > menuTop &&
                        y < menuTop + menuHeight;
    if (!inside) return;
    selection = (y - menuTop) / entryHeight;
    OnKey(kConfirmKeys[0]);
}

void GameOverScene::Prepare() {
    selection = kRetry;
}
