#include "pages/TitleScene.h"

#include "app/Globals.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "platform/i_window.h"
#include "sound/SoundBank.h"

TitleScene::TitleScene(Game* game) : game(game) {
    background = Bitmap::Load("\\welcome.bmp");
    cursor = Bitmap::Load("\\ball1.bmp");
    if (cursor) cursor->SetColorKey(0, 0, 0);
}

TitleScene::~TitleScene() {
    delete background;
    delete cursor;
}

void TitleScene::Draw(BackBuffer& target) {
    target.Draw(background, 0, 0, 0);
    target.Draw(cursor, menuLeft, menuTop + entryHeight * selection, 0);
}

void TitleScene::OnKey(int key) {
    // Up and down are not final: a device whose cursor key doubles as a confirm key moves
    // the cursor and then confirms the new entry.
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

void TitleScene::OnTap(int x, int y) {
    // The left 30 pixels of the menu box hold the cursor, not a label: they do not count.
    const bool inside =
        x > menuLeft + 30 && x < menuLeft + menuWidth && y > menuTop && y < menuTop + menuHeight;
    if (!inside) return;
    selection = (y - menuTop) / entryHeight;
    OnKey(kConfirmKeys[0]);
}

void TitleScene::Confirm() {
    switch (selection) {
        case kRoundsMode:
            game->SelectRoundsMode();
            break;
        case kPushMode:
            game->SelectPushMode();
            break;
        case kOptions:
            game->state = kStateOptions;
            return;
        case kQuit:
            PostMessageW(g_hWnd, WM_DESTROY, 0, 0);
            return;
        default:
            return;
    }
    game->NewGame();
    game->state = kStatePlay;
    game->SetRunning();
}
