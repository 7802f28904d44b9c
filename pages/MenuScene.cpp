#include "pages/MenuScene.h"

#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "sound/SoundBank.h"

namespace {
// The cursor ball sits left of the labels; only the labels' column answers a tap.
constexpr int kTapInset = 30;
}  // namespace

MenuScene::MenuScene(Game* game, const char* backgroundName) : game(game) {
    background = Bitmap::Load(backgroundName);
    cursor = Bitmap::Load("\\ball1.bmp");
    if (cursor) cursor->SetColorKey(0, 0, 0);
}

MenuScene::~MenuScene() {
    delete background;
    delete cursor;
}

void MenuScene::Draw(BackBuffer& target) {
    target.Draw(background, 0, 0, 0);
    target.Draw(cursor, menuLeft, menuTop + entryHeight * selection, 0);
}

void MenuScene::OnKey(int key) {
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

void MenuScene::OnTap(int x, int y) {
    const bool inside = x > menuLeft + kTapInset && x < menuLeft + menuWidth && y > menuTop &&
                        y < menuTop + menuHeight;
    if (!inside) return;
    selection = (y - menuTop) / entryHeight;
    OnKey(kConfirmKeys[0]);
}
