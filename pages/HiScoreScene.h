// The table of the seven best scores with five-letter names, kept in "\data.dat" in the save
// directory. After a finished game it takes the game's score and lets the player enter a name;
// from the options and game-over pages it only shows the table.
#pragma once

#include "pages/Scene.h"

class Bitmap;
class Game;

class HiScoreScene : public Scene {
  public:
    static constexpr int kEntries = 7;
    static constexpr int kNameBytes = 7;
    static constexpr int kNameLength = 5;
    static constexpr int kRecordBytes = kNameBytes + 4;
    static constexpr int kFileBytes = kEntries * kRecordBytes;

    explicit HiScoreScene(Game* game);
    ~HiScoreScene() override;
    HiScoreScene(const HiScoreScene&) = delete;
    HiScoreScene& operator=(const HiScoreScene&) = delete;

    // A missing file leaves the table as it is; a short one fills it as far as it reaches.
    void LoadTable();
    // Written aside and renamed over the old file, so a failed save keeps the old table.
    void SaveTable();

    void OnKey(int key) override;
    void OnTap(int x, int y) override;
    void Draw(BackBuffer& target) override;

    Game* game;
    Bitmap* background;
    Bitmap* editMarker;
    bool loaded = false;  // the table has been prepared for this visit
    char names[kEntries][kNameBytes] = {};
    int scores[kEntries] = {};
    int editRow = -1;  // entry whose name is being entered, -1 none
    int editColumn = 0;
    int blinkCounter = 0;
    // This visit's name entry: a letter was changed by the arrows (the default no longer
    // stands), letters were typed, and the cell under the cursor holds the last typed one.
    bool nameTouched = false;
    bool lettersTyped = false;
    bool cursorOnTyped = false;

  private:
    // Reads the table and places a just-finished game's score, once per visit, on whichever
    // comes first: the visit's first draw or its first key or tap.
    void PrepareVisit();
    void InsertScore(int score);
    void EditLetter(int key);
    void TypeLetter(char letter);
    void EraseLetter();
    void Leave();
    void LoadName(int entry, const unsigned char* bytes);
};
