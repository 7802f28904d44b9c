// The round editor: one round of a set at a time on the play screen's own field and pictures,
// a palette of the eight bubbles and "empty", painting by keys, clicks, touches and drags,
// live marks where a round breaks a rule, a play test of the round and an atomic save that
// keeps what the player wrote around the rounds left alone.
#pragma once

#include <string>

#include "formats/RoundFormat.h"
#include "game/FieldGeometry.h"
#include "game/RoundSetFile.h"
#include "pages/Scene.h"

class Bitmap;
class Game;

class EditorScene : public Scene {
  public:
    EditorScene(Game* game, const EditorStart& start);
    ~EditorScene() override;
    EditorScene(const EditorScene&) = delete;
    EditorScene& operator=(const EditorScene&) = delete;

    void OnKey(int key) override;
    void OnTap(int x, int y) override;
    void OnStylusMove(int x, int y) override;
    void Draw(BackBuffer& target) override;

    int Current() const { return current_; }
    int Count() const { return static_cast<int>(working_.records.size()); }
    const RoundRecord& Record() const { return working_.records[current_]; }
    bool HasChanges() const { return dirty_; }
    // The whole set as it stands, unsaved changes included, in the file's own format.
    std::string Text() const { return FormatRoundsKeeping(working_, source_); }
    bool Asking() const { return asking_; }
    bool HelpShown() const { return helpShown_; }
    bool TypingTitle() const { return typingTitle_; }
    const std::string& Title() const { return working_.titles[current_]; }
    int Paint() const { return paint_; }

  private:
    FieldGeometry Geometry() const;
    bool CellAt(int x, int y, int* row, int* col) const;
    void PaintCell(int row, int col, int code);
    void MoveCursor(int dRow, int dCol);
    void ChangeRound(int step);
    void AddRound();
    bool Save();
    void Leave();
    void Say(const char* first, const char* second);
    void StartTitle();
    void EndTitle();
    void TypeTitle(int key);
    void DrawStatus(BackBuffer& target);
    void DrawHelp(BackBuffer& target);

    Game* game_;
    std::string path_;
    RoundSet source_;   // as last read or saved: untouched rounds keep its text
    RoundSet working_;  // what the player sees
    int current_ = 0;
    int cursorRow_ = 0;
    int cursorCol_ = 0;
    int paint_ = 1;
    bool dirty_ = false;
    bool asking_ = false;
    bool dragPaints_ = false;
    bool helpShown_ = false;
    bool typingTitle_ = false;
    bool titleTouched_ = false;  // in this visit to the title: a letter typed or erased
    std::string titleBefore_;
    int frames_ = 0;
    int messageFrames_ = 0;
    char message_[2][24] = {};
    Bitmap* cursorFrame_ = nullptr;
    Bitmap* swatchFrame_ = nullptr;
    Bitmap* emptySwatch_ = nullptr;
    Bitmap* panel_ = nullptr;
    Bitmap* caret_ = nullptr;
};
