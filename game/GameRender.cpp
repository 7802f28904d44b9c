#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "pages/Scene.h"

void Game::Render(BackBuffer& target) {
    if (state == kStatePlay) {
        DrawPlayScreen(target);
        return;
    }
    Scene* page = PageForState(state);
    if (!page && state != kStateTitle) {
        // A page that does not exist cannot strand the player: back to the title.
        state = kStateTitle;
        page = PageForState(state);
    }
    if (page) page->Draw(target);
}
