// The big fish beside the launcher swings through three pictures at every key launch.
#pragma once

class BackBuffer;
class Bitmap;

class BigFish {
  public:
    BigFish(int x, int y);
    virtual ~BigFish();

    void Start();
    void Reset() {
        active = false;
        frame = 0;
    }
    // Draws, then advances the swing (so it runs on while the game is paused).
    void Draw(BackBuffer& target);

    int x;
    int y;
    int frame = 0;
    bool active = false;
    Bitmap* fishImages[3] = {};
};
