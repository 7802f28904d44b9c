// The title page, the first thing the player sees: rounds mode, push mode, options and quit.
#pragma once

#include "pages/MenuScene.h"

class TitleScene : public MenuScene {
  public:
    explicit TitleScene(Game* game);

    enum Entry : int { kRoundsMode = 0, kPushMode = 1, kOptions = 2, kQuit = 3 };

  protected:
    void Confirm() override;
};
