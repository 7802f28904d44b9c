// The opponent of the last round of each episode. The Game drives it from the play screen's
// drawing: life test, hit test against the flying shot, then one frame of behaviour.
#pragma once

class BackBuffer;
class Game;

class Boss {
  public:
    virtual ~Boss() = default;
    // Does the flying shot (top-left x, y; width, height) strike the boss?
    virtual bool HitTest(int x, int y, int width, int height) = 0;
    virtual void UpdateAndDraw(BackBuffer& target) = 0;
    // Draws the boss as its last step left it, without stepping: a paused game holds it.
    virtual void DrawStill(BackBuffer&) {}
    // False once the defeat fall has run out (the field is re-coloured then).
    virtual bool IsAlive() = 0;
    // Re-arms the boss for a fight.
    virtual void Start() = 0;
};

enum BossKind : int { kInsectBoss = 0, kCrabBoss = 1, kSnakeBoss = 2, kWizardBoss = 3 };

// Creates the boss of that kind with the common construction arguments; null if unknown.
Boss* CreateBoss(int kind, Game* game, int originX, int originY, int rangeWidth, int rangeHeight,
                 int cellWidth);
