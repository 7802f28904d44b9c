#include "game/Game.h"
#include "pages/Scene.h"
#include "sound/SoundBank.h"

void Game::OnKeyDown(int key) {
    if (state == kStatePlay) {
        PlayKey(key);
        return;
    }
    if (Scene* page = PageForState(state)) page->OnKey(key);
}

void Game::OnKeyUp(int) {
    aimStep = 0;
    aimRepeatDelay = -1;
}

void Game::OnTap(int x, int y) {
    if (state == kStatePlay) {
        // The whole right-hand strip below the score leaves play for the title page.
        if (x >= 200 && y >= 104) {
            ClearRunning();
            SoundBank::PlayMenu();
            state = kStateTitle;
        }
        return;
    }
    if (Scene* page = PageForState(state)) page->OnTap(x, y);
}

void Game::OnStylusMove(int x, int y) {
    if (state != kStateOptions) return;
    if (Scene* page = PageForState(state)) page->OnStylusMove(x, y);
}
