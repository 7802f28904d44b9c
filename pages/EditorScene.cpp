#include "pages/EditorScene.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "gfx/DisplayFormat.h"
#include "gfx/SmallFont.h"
#include "platform/i_system.h"
#include "platform/i_window.h"
#include "sound/SoundBank.h"

namespace {

// The editor takes typed keys (platform/Device.h), not the handheld's map.
constexpr int kKeyEnter = kTypedEnter;
constexpr int kKeyEscape = kTypedEscape;
constexpr int kKeySpace = kTypedSpace;
constexpr int kKeyPageUp = kTypedPageUp;
constexpr int kKeyPageDown = kTypedPageDown;
constexpr int kKeyZero = kTypedZero;
constexpr int kKeyN = TypedLetter('N');
constexpr int kKeyS = TypedLetter('S');
constexpr int kKeyT = TypedLetter('T');
constexpr int kKeyH = TypedLetter('H');
constexpr int kKeyTitle = TypedLetter('R');
constexpr int kKeyBackspace = kTypedBackspace;

constexpr int kColours = 8;
constexpr int kPanelY = 248;
constexpr int kSwatchY = 251;
constexpr int kSwatchLeft = 10;
constexpr int kSwatchStep = 25;
constexpr int kSwatchSize = 22;
// Text keeps 8 pixels from the screen's sides and 6 from its foot (a glyph's ink is rows 1 to
// 18 of its 21).
constexpr int kTextX = 8;
constexpr int kFirstLineY = 275;
constexpr int kSecondLineY = 295;
constexpr int kHelpTop = 6;
constexpr int kHelpLineStep = 22;
constexpr int kMessageFrames = 60;  // three seconds
constexpr int kBlinkFrames = 8;
constexpr int kTextColumns = 16;  // what fits across the screen in the small font, with margins
constexpr size_t kMostTitleLetters = 40;
constexpr int kLowestFreeRow = 8;
constexpr int kSeeThroughR = 255, kSeeThroughG = 0, kSeeThroughB = 255;

// A rectangle of one colour, hollow (border pixels wide, the rest see-through) or filled
// (border 0). The editor's frames and panel need no picture files.
Bitmap* MakeBox(int w, int h, int r, int g, int b, int border) {
    const int bytes = DisplayBytesPerPixel();
    if (bytes == 0) return nullptr;
    Bitmap* box = new Bitmap;
    box->pixels = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(w) * h * bytes));
    if (!box->pixels) {
        delete box;
        return nullptr;
    }
    box->width = w;
    box->height = h;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool edge =
                border == 0 || x < border || y < border || x >= w - border || y >= h - border;
            const int pr = edge ? r : kSeeThroughR, pg = edge ? g : kSeeThroughG,
                      pb = edge ? b : kSeeThroughB;
            uint8_t* out = box->pixels + (static_cast<size_t>(y) * w + x) * bytes;
            if (bytes == 2) {
                const uint16_t v = PackDisplayColour(pr, pg, pb);
                std::memcpy(out, &v, 2);
            } else {
                out[0] = static_cast<uint8_t>(pr);
                out[1] = static_cast<uint8_t>(pg);
                out[2] = static_cast<uint8_t>(pb);
            }
        }
    }
    if (border > 0) box->SetColorKey(kSeeThroughR, kSeeThroughG, kSeeThroughB);
    return box;
}

// Copies text for the small font: capitals, digits and spaces, cut to the screen's width.
void ScreenText(char (&out)[24], const char* text) {
    size_t n = 0;
    for (; *text && n < static_cast<size_t>(kTextColumns); ++text) {
        char c = *text;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const bool shown = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        out[n++] = shown ? c : ' ';
    }
    out[n] = '\0';
}

// A letter, digit or space typed into a title; 0 for any other key.
char TitleCharacter(int key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == kKeySpace)
        return static_cast<char>(key);
    return 0;
}

// The help page: every key the editor takes, in words a first-time player can follow.
const char* const kHelpLines[] = {
    "ARROWS MOVE",     "0 TO 8 PAINT", "SPACE PAINTS",     "CLICK PAINTS",
    "PGUP PGDN ROUND", "N NEW ROUND",  "T TRY IT",         "R TYPE THE TITLE",
    "S SAVE",          "ESC LEAVE",    "GREY BREAKS RULE", "",
    "ANY KEY GOES ON",
};

}  // namespace

EditorScene::EditorScene(Game* game, const EditorStart& start)
    : game_(game),
      path_(start.path),
      source_(start.rounds),
      working_(start.rounds),
      cursorFrame_(MakeBox(22, 20, 255, 255, 255, 2)),
      swatchFrame_(MakeBox(kSwatchSize + 4, kSwatchSize + 4, 255, 220, 0, 2)),
      emptySwatch_(MakeBox(kSwatchSize, kSwatchSize, 150, 150, 150, 1)),
      panel_(MakeBox(240, 320 - kPanelY, 20, 32, 52, 0)),
      caret_(MakeBox(SmallFont::Advance - 4, 3, 255, 220, 0, 0)) {
    if (working_.records.empty()) working_ = source_ = RoundSetFile::OneEmptyRound();
    if (working_.records.size() > static_cast<size_t>(kRoundCount))
        working_.records.resize(kRoundCount);
    working_.titles.resize(working_.records.size(), "New round");
    current_ = start.round >= 0 && start.round < Count() ? start.round : 0;
    dirty_ = start.unsaved;
}

EditorScene::~EditorScene() {
    delete cursorFrame_;
    delete swatchFrame_;
    delete emptySwatch_;
    delete panel_;
    delete caret_;
}

void EditorScene::Say(const char* first, const char* second) {
    ScreenText(message_[0], first);
    ScreenText(message_[1], second);
    messageFrames_ = kMessageFrames;
}

// A round as it starts: the field at the top, long rows first, whatever the game did last.
FieldGeometry EditorScene::Geometry() const {
    FieldGeometry geometry = game_->Geometry();
    geometry.fieldTop = geometry.baseTop;
    geometry.rowParity = 0;
    geometry.oddRowsLong = false;
    return geometry;
}

bool EditorScene::CellAt(int x, int y, int* row, int* col) const {
    return Geometry().CellAt(x, y, kRoundRows, row, col);
}

void EditorScene::PaintCell(int row, int col, int code) {
    cursorRow_ = row;
    cursorCol_ = col;
    uint8_t& cell = working_.records[current_][RoundRowOffset(row) + col];
    if (cell == code) return;
    cell = static_cast<uint8_t>(code);
    dirty_ = true;
    asking_ = false;
}

void EditorScene::MoveCursor(int dRow, int dCol) {
    cursorRow_ += dRow;
    if (cursorRow_ < 0) cursorRow_ = 0;
    if (cursorRow_ >= kRoundRows) cursorRow_ = kRoundRows - 1;
    cursorCol_ += dCol;
    if (cursorCol_ < 0) cursorCol_ = 0;
    if (cursorCol_ >= RoundRowLength(cursorRow_)) cursorCol_ = RoundRowLength(cursorRow_) - 1;
}

void EditorScene::ChangeRound(int step) {
    const int next = current_ + step;
    if (next < 0 || next >= Count()) return;
    current_ = next;
    SoundBank::PlayMenu();
}

void EditorScene::AddRound() {
    if (Count() >= kRoundCount) {
        Say("A SET HOLDS", "48 AT MOST");
        return;
    }
    working_.records.push_back(RoundRecord{});
    working_.titles.push_back("New round");
    current_ = Count() - 1;
    dirty_ = true;
    SoundBank::PlayMenu();
}

bool EditorScene::Save() {
    const std::string text = FormatRoundsKeeping(working_, source_);
    if (!RoundSetFile::Write(path_, text)) {
        Say("CANNOT SAVE", "");
        return false;
    }
    // What was saved is now the text to keep.
    ParseRounds(text, source_, 1);
    dirty_ = false;
    // A round that breaks a rule is saved all the same, so no work is lost; --rounds will
    // refuse the file until it is mended, so say which rule.
    for (int n = 0; n < Count(); ++n) {
        const RoundFault fault = FindRoundFault(working_.records[n], n);
        if (fault.rule == RoundRule::kKept) continue;
        std::fprintf(stderr, "tarngame: saved %s, but %s\n", path_.c_str(),
                     CheckRound(working_.records[n], n).c_str());
        char first[24];
        std::snprintf(first, sizeof first, "SAVED  ROUND %d", n + 1);
        Say(first, RoundRuleLabel(fault.rule));
        return true;
    }
    Say("SAVED", "");
    return true;
}

void EditorScene::Leave() {
    I_SetTypedKeys(false);
    game_->LeaveEditor();
}

void EditorScene::StartTitle() {
    titleBefore_ = working_.titles[current_];
    typingTitle_ = true;
    titleTouched_ = false;
    messageFrames_ = 0;
}

// Enter or Escape: the title stays as typed, unless nothing is left of it (a round's line
// needs a title, so the old one comes back).
void EditorScene::EndTitle() {
    std::string& title = working_.titles[current_];
    while (!title.empty() && title.back() == ' ')
        title.pop_back();
    title.erase(0, title.find_first_not_of(' '));
    if (title.empty()) title = titleBefore_;
    typingTitle_ = false;
    if (title == titleBefore_) return;
    dirty_ = true;
    asking_ = false;
}

// Every key in title mode is the title's: none reaches the editor's commands.
void EditorScene::TypeTitle(int key) {
    std::string& title = working_.titles[current_];
    // A gamepad has no letters, but its confirm buttons end the typing as Enter does.
    if (key == kKeyEnter || key == kKeyEscape || IsConfirmKey(key)) {
        EndTitle();
    } else if (key == kKeyBackspace) {
        if (!title.empty()) title.pop_back();
        titleTouched_ = true;
    } else if (const char c = TitleCharacter(key)) {
        // The title shows whole when the mode opens: the first letter typed replaces it.
        if (!titleTouched_) title.clear();
        titleTouched_ = true;
        if (title.size() < kMostTitleLetters) title += c;
    }
}

void EditorScene::OnKey(int key) {
    if (helpShown_) {
        // Any key closes the help page; Escape goes on to leave the editor as it always does.
        helpShown_ = false;
        if (key != kKeyEscape) return;
    }
    if (typingTitle_) {
        TypeTitle(key);
        return;
    }
    if (asking_) {
        // Escape again leaves without saving, S saves first; anything else stays.
        asking_ = false;
        messageFrames_ = 0;
        if (key == kKeyEscape || (key == kKeyS && Save())) Leave();
        return;
    }
    if (key >= kKeyZero && key <= kKeyZero + kColours) {
        paint_ = key - kKeyZero;
        PaintCell(cursorRow_, cursorCol_, paint_);
        return;
    }
    switch (key) {
        case kKeyLeft:
            MoveCursor(0, -1);
            break;
        case kKeyRight:
            MoveCursor(0, 1);
            break;
        case kKeyUp:
            MoveCursor(-1, 0);
            break;
        case kKeyDown:
            MoveCursor(1, 0);
            break;
        case kKeyEnter:
        case kKeySpace:
            PaintCell(cursorRow_, cursorCol_, paint_);
            break;
        case kKeyPageUp:
            ChangeRound(-1);
            break;
        case kKeyPageDown:
            ChangeRound(1);
            break;
        case kKeyN:
            AddRound();
            break;
        case kKeyT:
            game_->StartEditorTrial(working_.records[current_], current_);
            break;
        case kKeyS:
            Save();
            break;
        case kKeyH:
            helpShown_ = true;
            break;
        case kKeyTitle:
            StartTitle();
            break;
        case kKeyEscape:
            if (!dirty_) {
                Leave();
                break;
            }
            asking_ = true;
            Say("UNSAVED CHANGES", "S SAVE ESC LEAVE");
            messageFrames_ = -1;  // until answered
            break;
        default:
            // A gamepad keeps the handheld's keys: its confirm buttons paint.
            if (IsConfirmKey(key)) PaintCell(cursorRow_, cursorCol_, paint_);
            break;
    }
}

void EditorScene::OnTap(int x, int y) {
    dragPaints_ = false;
    // A tap closes the help page as a key does, and ends the title as Enter does.
    if (helpShown_) {
        helpShown_ = false;
        return;
    }
    if (typingTitle_) EndTitle();
    if (y >= kSwatchY - 2 && y < kSwatchY + kSwatchSize + 2 && x >= kSwatchLeft) {
        const int swatch = (x - kSwatchLeft) / kSwatchStep;
        if (swatch <= kColours) {
            paint_ = swatch;
            SoundBank::PlayMenu();
        }
        return;
    }
    int row, col;
    if (!CellAt(x, y, &row, &col)) return;
    dragPaints_ = true;
    PaintCell(row, col, paint_);
}

void EditorScene::OnStylusMove(int x, int y) {
    int row, col;
    if (dragPaints_ && CellAt(x, y, &row, &col)) PaintCell(row, col, paint_);
}

void EditorScene::Draw(BackBuffer& target) {
    const Game& g = *game_;
    ++frames_;
    const RoundRecord& record = working_.records[current_];
    if (const Bitmap* tile = g.patternImages[(current_ / 4) % 12]) {
        for (int y = 0; y < 320; y += tile->height)
            for (int x = 0; x < 240; x += tile->width)
                target.Draw(tile, x, y, 0);
    }
    target.Draw(g.boardImage, 0, 0, 0);
    // Cells that break a rule blink grey: loose ones, and any below the free rows' line.
    const auto loose = LooseCells(record);
    const bool greyPhase = (frames_ / kBlinkFrames) % 2 == 1;
    int cells[kFieldRows][kFieldCols];
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < kFieldCols; ++c) {
            const int at = r < kRoundRows && c < RoundRowLength(r) ? RoundRowOffset(r) + c : -1;
            const int code = at >= 0 ? record[at] : 0;
            const bool marked = code != 0 && (loose[at] || r >= kLowestFreeRow);
            cells[r][c] = code == 0 ? kEmptyCell : marked && greyPhase ? 0 : code;
        }
    }
    g.DrawFieldCells(target, cells, Geometry(), 0);
    target.Draw(g.lineImage, g.fieldLeft, kLowestFreeRow * g.rowHeight + g.baseTop, 0);
    target.Draw(cursorFrame_, g.fieldLeft + cursorCol_ * g.cellWidth + (cursorRow_ % 2) * 11,
                g.baseTop + cursorRow_ * g.rowHeight + 1, 0);

    target.Draw(panel_, 0, kPanelY, 0);
    for (int i = 0; i <= kColours; ++i) {
        const int x = kSwatchLeft + i * kSwatchStep;
        target.Draw(i == 0 ? emptySwatch_ : g.ballImages[i], x, kSwatchY, 0);
        if (i == paint_) target.Draw(swatchFrame_, x - 2, kSwatchY - 2, 0);
    }
    DrawStatus(target);
    if (helpShown_) DrawHelp(target);
}

void EditorScene::DrawStatus(BackBuffer& target) {
    char first[24], second[24];
    if (typingTitle_) {
        // The end of the title, where the letters go, and a blinking mark after it.
        const std::string& title = working_.titles[current_];
        const size_t shown = kTextColumns - 1;
        const size_t from = title.size() > shown ? title.size() - shown : 0;
        ScreenText(first, "TITLE  ENTER OK");
        ScreenText(second, title.c_str() + from);
        SmallFont::DrawText(target, kTextX, kFirstLineY, first);
        SmallFont::DrawText(target, kTextX, kSecondLineY, second);
        if ((frames_ / kBlinkFrames) % 2 == 0)
            target.Draw(caret_,
                        kTextX + static_cast<int>(title.size() - from) * SmallFont::Advance + 2,
                        kSecondLineY + SmallFont::GlyphHeight - 2, 0);
        return;
    }
    if (messageFrames_ != 0) {
        std::memcpy(first, message_[0], sizeof first);
        std::memcpy(second, message_[1], sizeof second);
        if (messageFrames_ > 0) --messageFrames_;
    } else {
        // The round and the help key, then the rule the round breaks (live, as the player
        // paints) or else its title.
        const RoundFault fault = FindRoundFault(working_.records[current_], current_);
        char round[32];
        std::snprintf(round, sizeof round, "ROUND %-3d H HELP", current_ + 1);
        ScreenText(first, round);
        ScreenText(second, fault.rule != RoundRule::kKept ? RoundRuleLabel(fault.rule)
                                                          : working_.titles[current_].c_str());
    }
    SmallFont::DrawText(target, kTextX, kFirstLineY, first);
    SmallFont::DrawText(target, kTextX, kSecondLineY, second);
}

// Over the whole screen; the round's place in the set heads it.
void EditorScene::DrawHelp(BackBuffer& target) {
    for (int y = 0; y < 320; y += panel_ ? panel_->height : 320)
        target.Draw(panel_, 0, y, 0);
    char line[24], round[32];
    std::snprintf(round, sizeof round, "ROUND %d OF %d", current_ + 1, Count());
    ScreenText(line, round);
    SmallFont::DrawText(target, kTextX, kHelpTop, line);
    int y = kHelpTop;
    for (const char* text : kHelpLines) {
        y += kHelpLineStep;
        ScreenText(line, text);
        SmallFont::DrawText(target, kTextX, y, line);
    }
}
