#include "pages/TitleScene.h"

#include "game/Game.h"
#include "platform/i_window.h"

TitleScene::TitleScene(Game* game) : MenuScene(game, "\\welcome.bmp") {}

void TitleScene::Confirm() {
    switch (selection) {
        case kRoundsMode:
        case kPushMode:
            game->StartGame(selection == kPushMode);
            return;
        case kOptions:
            game->state = kStateOptions;
            return;
        case kQuit:
            game->quitRequested = true;
            return;
        default:
            return;
    }
}
