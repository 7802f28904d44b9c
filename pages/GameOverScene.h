// The page after a finished game (and its high-score table): a new game, a retry of the round
// that was lost, the high scores, or back to the title.
#pragma once

#include "pages/Scene.h"

class Bitmap;
class Game;

class GameOverScene : public Scene {
  public:
    explicit GameOverScene(Game* game);
    ~GameOverScene() override;
    GameOverScene(const GameOverScene&) = delete;
    GameOverScene& operator=(const GameOverScene&) = delete;

    void OnKey(int key) override;
    void OnTap(int x, int y) override;
    void Draw(BackBuffer& target) override;
    // A game has just ended: the player most likely wants to try the round again.
    void Prepare() override;

    Game* game;
    Bitmap* background;
    Bitmap* cursor;
    int menuWidth = 130;
    int menuHeight = 172;
    int selection = 0;
    int menuLeft = 47;
    int menuTop = 111;
    int entryHeight = 43;

  private:
    void Confirm();
};
