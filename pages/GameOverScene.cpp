#include "pages/GameOverScene.h"

#include "game/Game.h"

GameOverScene::GameOverScene(Game* game) : MenuScene(game, "\\gameover.bmp") {}

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

void GameOverScene::Prepare() {
    selection = kRetry;
}
