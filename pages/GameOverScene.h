// The page after a finished game (and its high-score table): a new game, a retry of the round
// that was lost, the high scores, or back to the title.
#pragma once

#include "pages/MenuScene.h"

class GameOverScene : public MenuScene {
  public:
    explicit GameOverScene(Game* game);
    // A game has just ended: the player most likely wants to try the round again.
    void Prepare() override;

    enum Entry : int { kNewGame = 0, kRetry = 1, kHiScores = 2, kTitle = 3 };

  protected:
    void Confirm() override;
};
