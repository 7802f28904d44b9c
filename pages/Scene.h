// A full-screen page: the Game hands it the keys, taps and stylus moves of its state and asks
// it to draw itself once per frame. Pages live as long as the program.
#pragma once

class BackBuffer;

class Scene {
  public:
    virtual ~Scene() = default;
    virtual void OnKey(int key) = 0;
    virtual void OnTap(int x, int y) = 0;
    virtual void OnStylusMove(int, int) {}
    virtual void Draw(BackBuffer& target) = 0;
    virtual void Prepare() {}
};
