// What must hold of the game between any two frames, checked after every frame of the long
// runs (monkey and soak).
#pragma once

class Game;

class GameInvariants {
  public:
    // Records a gtest failure for every broken rule.
    void Check(const Game& game);
    long Frames() const { return frames_; }
    long FramesIn(int state) const { return state >= 0 && state < 5 ? statesSeen_[state] : 0; }

  private:
    int lastScore_ = 0;
    long frames_ = 0;
    long statesSeen_[5] = {};
};
