// A page of four entries under a cursor bubble: the title and game-over pages. The labels are
// part of the page picture; the page draws only the cursor, moves it with up and down (with
// wrap-around and the menu sound) and confirms the entry under it by key or tap.
#pragma once

#include "pages/Scene.h"

class Bitmap;
class Game;

class MenuScene : public Scene {
  public:
    MenuScene(Game* game, const char* backgroundName);
    ~MenuScene() override;
    MenuScene(const MenuScene&) = delete;
    MenuScene& operator=(const MenuScene&) = delete;

    void OnKey(int key) override;
    void OnTap(int x, int y) override;
    void Draw(BackBuffer& target) override;

    static constexpr int kEntries = 4;

    Game* game;
    Bitmap* background = nullptr;
    Bitmap* cursor = nullptr;
    int selection = 0;
    int menuWidth = 130;
    int menuHeight = 172;
    int menuLeft = 47;
    int menuTop = 111;
    int entryHeight = 43;

  protected:
    // Carries out the entry under the cursor.
    virtual void Confirm() = 0;
};
