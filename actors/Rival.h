// The rival beside the launcher: walks to and fro and strikes a pose when something happens
// to the player (flag after a run of misses, cheering after a big pop or a clear, slumping
// when the game is lost), each pose with its sound. It has no effect on play.
#pragma once

class BackBuffer;
class Bitmap;

class Rival {
  public:
    Rival(int x, int y);
    virtual ~Rival();

    void Walk();
    // As constructed: walking from its first place.
    void Reset();
    void FlagReaction();
    void WinReaction();
    void LoseReaction();
    void MuteNextHappy() { muteHappy = true; }
    void Update();
    void Draw(BackBuffer& target);

    enum Pose : int { kWalk = 0, kFlag = 1, kWin = 2, kLose = 3 };

    int x;
    int y;
    int frame = 0;
    bool walkingRight = false;
    int xOffset = 22;
    int walkStep = 4;
    int walkTick = 0;
    int pose = kWalk;
    int poseLength = 0;
    bool muteHappy = false;
    Bitmap* walkImages[6] = {};
    Bitmap* winImages[3] = {};
    Bitmap* loseImages[3] = {};
    Bitmap* flagImages[2] = {};
};
