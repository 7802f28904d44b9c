// The title page, the first thing the player sees: rounds mode, push mode, options and quit.
// The entries' labels are part of the background picture; the page draws only the cursor.
#pragma once

#include "pages/Scene.h"

class Bitmap;
class Game;

class TitleScene : public Scene {
  public:
    explicit TitleScene(Game* game);
    ~TitleScene() override;
    TitleScene(const TitleScene&) = delete;
    TitleScene& operator=(const TitleScene&) = delete;

    void OnKey(int key) override;
    void OnTap(int x, int y) override;
    void Draw(BackBuffer& target) override;

    enum Entry : int { kRoundsMode = 0, kPushMode = 1, kOptions = 2, kQuit = 3, kEntries = 4 };

    Game* game;
    Bitmap* background = nullptr;
    Bitmap* cursor = nullptr;
    int selection = kRoundsMode;
    int menuWidth = 130;
    int menuHeight = 172;
    int menuLeft = 47;
    int menuTop = 111;
    int entryHeight = 43;

  private:
    void Confirm();
};
