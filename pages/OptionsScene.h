// The options page: effects and music volumes, the round a new game starts at, the way to the
// high-score table and back to the title. The only page that follows a dragged stylus, so the
// volume bars can be slid.
#pragma once

#include "pages/Scene.h"

class Bitmap;
class Game;

class OptionsScene : public Scene {
  public:
    explicit OptionsScene(Game* game);
    ~OptionsScene() override;
    OptionsScene(const OptionsScene&) = delete;
    OptionsScene& operator=(const OptionsScene&) = delete;

    void OnKey(int key) override;
    void OnTap(int x, int y) override;
    void OnStylusMove(int x, int y) override;
    void Draw(BackBuffer& target) override;

    Game* game;
    Bitmap* background;
    Bitmap* cursor;
    Bitmap* knob;
    Bitmap* leftArrow;
    Bitmap* leftArrowLit;
    Bitmap* rightArrow;
    Bitmap* rightArrowLit;
    int selection = 0;
    int cursorX = 40;
    int menuTop = 101;
    int entryHeight = 37;
    int litArrow = 0;  // 0 none, 1 left, 2 right; shown for one drawn frame

  private:
    void StepRight();
    void StepLeft();
    void Confirm();
    // The two volume bars, shared by taps and drags.
    void TouchBars(int x, int y);
};
