#include "pages/HiScoreScene.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "gfx/DataPath.h"
#include "gfx/SmallFont.h"
#include "platform/i_system.h"

namespace {

constexpr int kLastColumn = HiScoreScene::kNameLength - 1;
constexpr int kFirstRowY = 85;
constexpr int kRowSpacing = 30;
constexpr int kNameX = 36;
// A row's band for taps starts this far above its text, so the bands tile the table.
constexpr int kNameRowAbove = 4;
constexpr int kBlinkPeriod = 6;

// The save directory is where scores belong; without one there is nowhere to read or write.
// A custom round set keeps its own table; the editor's trial round keeps none.
bool DataFilePath(const Game& game, char (&path)[kMaxDataPath]) {
    const char* name = game.ScoresFile();
    if (I_SaveDir().empty() || name[0] == '\0') return false;
    return MakeDataPath(path, I_SaveDir().c_str(), name) != nullptr;
}

bool IsNameCharacter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || c == ' ';
}

int ReadInt32(const unsigned char* p) {
    return static_cast<int>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<unsigned>(p[3]) << 24);
}

void WriteInt32(unsigned char* p, int value) {
    const unsigned v = static_cast<unsigned>(value);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i) & 0xFF);
}

// The name as the replay keeps it: up to five letters, no trailing spaces.
std::string EnteredName(const char* name) {
    std::string out(name, strnlen(name, HiScoreScene::kNameLength));
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

char NextLetter(char c) {
    if (c == ' ') return 'A';
    return c >= 'Z' ? ' ' : static_cast<char>(c + 1);
}

char PreviousLetter(char c) {
    if (c == ' ') return 'Z';
    return c <= 'A' ? ' ' : static_cast<char>(c - 1);
}

}  // namespace

HiScoreScene::HiScoreScene(Game* owner)
    : game(owner),
      background(Bitmap::Load("\\hiscore.bmp")),
      editMarker(Bitmap::Load("\\hy.bmp")) {}

HiScoreScene::~HiScoreScene() {
    delete background;
    delete editMarker;
}

void HiScoreScene::LoadName(int entry, const unsigned char* bytes) {
    // The file may come from anywhere: stop at five letters even without a terminating zero,
    // and show anything the table could not hold as a space.
    char* name = names[entry];
    std::memset(name, 0, kNameBytes);
    for (int i = 0; i < kNameLength && bytes[i] != 0; ++i)
        name[i] = IsNameCharacter(bytes[i]) ? static_cast<char>(bytes[i]) : ' ';
}

void HiScoreScene::LoadTable() {
    char path[kMaxDataPath];
    if (!DataFilePath(*game, path)) return;
    FILE* f = std::fopen(path, "rb");
    if (!f) return;
    unsigned char bytes[kFileBytes];
    const size_t n = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    for (int k = 0; k < kEntries; ++k) {
        const size_t start = static_cast<size_t>(kRecordBytes) * k;
        if (n >= start + kNameBytes) LoadName(k, bytes + start);
        if (n >= start + kRecordBytes) scores[k] = ReadInt32(bytes + start + kNameBytes);
    }
}

void HiScoreScene::SaveTable() {
    char path[kMaxDataPath];
    if (!DataFilePath(*game, path)) return;
    unsigned char bytes[kFileBytes];
    for (int k = 0; k < kEntries; ++k) {
        unsigned char* record = bytes + kRecordBytes * k;
        std::memcpy(record, names[k], kNameBytes);
        WriteInt32(record + kNameBytes, scores[k]);
    }
    I_WriteFileAtomic(path, bytes, sizeof bytes);
}

void HiScoreScene::PrepareVisit() {
    if (loaded) return;
    editRow = -1;
    LoadTable();
    // Back to play: a game has just ended and its score still has to be placed.
    if (game->hiScoreReturnState == kStatePlay) InsertScore(game->GetScore());
    loaded = true;
    // While a name is entered the keyboard types: Z, X and C are letters here, not launches.
    I_SetTypedKeys(editRow >= 0);
}

void HiScoreScene::InsertScore(int score) {
    int place = 0;
    while (place < kEntries && scores[place] >= score)
        ++place;
    if (place == kEntries) {
        // Not good enough for the table: the confirm leads on without saving.
        game->hiScoreReturnState = kStateGameOver;
        game->CloseReplay("");
        return;
    }
    for (int k = kEntries - 1; k > place; --k) {
        std::memcpy(names[k], names[k - 1], kNameBytes);
        scores[k] = scores[k - 1];
    }
    std::memset(names[place], 0, kNameBytes);
    std::memset(names[place], 'A', kNameLength);
    scores[place] = score;
    editRow = place;
    editColumn = 0;
    blinkCounter = 0;
    nameTouched = lettersTyped = cursorOnTyped = false;
}

void HiScoreScene::Draw(BackBuffer& target) {
    PrepareVisit();
    target.Draw(background, 0, 0, 0);
    char text[16];
    for (int k = 0; k < kEntries; ++k) {
        const int y = kFirstRowY + kRowSpacing * k;
        std::snprintf(text, sizeof text, "%d", k + 1);
        SmallFont::DrawText(target, 18, y, text);
        SmallFont::DrawText(target, kNameX, y, names[k]);
        std::snprintf(text, sizeof text, "%d", scores[k]);
        SmallFont::DrawText(target, 116, y, text);
    }
    if (editRow < 0) return;
    if (blinkCounter < kBlinkPeriod / 2)
        target.Draw(editMarker, kNameX + SmallFont::Advance * editColumn,
                    106 + kRowSpacing * editRow, 0);
    blinkCounter = (blinkCounter + 1) % kBlinkPeriod;
}

void HiScoreScene::TypeLetter(char letter) {
    char* name = names[editRow];
    // The untouched default is a suggestion, not a name: the first letter typed replaces it.
    if (!nameTouched && !lettersTyped) std::memset(name, ' ', kNameLength);
    name[editColumn] = letter;
    lettersTyped = true;
    cursorOnTyped = editColumn == kLastColumn;
    if (editColumn < kLastColumn) ++editColumn;
}

void HiScoreScene::EraseLetter() {
    if (!lettersTyped) return;
    if (!cursorOnTyped) {
        if (editColumn == 0) return;
        --editColumn;
    }
    names[editRow][editColumn] = ' ';
    cursorOnTyped = false;
}

void HiScoreScene::EditLetter(int key) {
    if (key >= 'A' && key <= 'Z') {
        TypeLetter(static_cast<char>(key));
        return;
    }
    // A space mashed before any letter would only blank the name.
    if (key == ' ') {
        if (lettersTyped) TypeLetter(' ');
        return;
    }
    if (key == kBackspaceKey || key == kExitKey) {
        EraseLetter();
        return;
    }
    char& c = names[editRow][editColumn];
    if (key == game->keys.vkLeft && editColumn > 0) --editColumn;
    if (key == game->keys.vkRight && editColumn < kLastColumn) ++editColumn;
    if (key == game->keys.vkLeft || key == game->keys.vkRight) cursorOnTyped = false;
    // c was bound before the column moved: every test works on the letter the key arrived on.
    if (key == game->keys.vkUp) c = NextLetter(c);
    if (key == game->keys.vkDown) c = PreviousLetter(c);
    if (key == game->keys.vkUp || key == game->keys.vkDown) nameTouched = true;
}

void HiScoreScene::OnKey(int key) {
    PrepareVisit();
    const bool editing = editRow >= 0 && editRow < kEntries;
    if (editing && !IsConfirmKey(key) && key != kEnterKey) {
        EditLetter(key);
        return;
    }
    // Outside the name entry Escape and Backspace confirm, as on any page with a way back;
    // Enter confirms only where it can be typed (elsewhere the keyboard's Enter is a launch).
    const bool confirms = IsConfirmKey(key) || (editing && key == kEnterKey) ||
                          (!editing && (key == kPauseKey || key == kExitKey));
    if (confirms) Leave();
}

void HiScoreScene::Leave() {
    if (game->hiScoreReturnState == kStatePlay) {
        SaveTable();
        game->hiScoreReturnState = kStateGameOver;
        if (editRow >= 0 && editRow < kEntries) game->CloseReplay(EnteredName(names[editRow]));
    }
    loaded = false;
    editRow = -1;
    I_SetTypedKeys(false);
    game->state = game->hiScoreReturnState;
}

void HiScoreScene::OnTap(int x, int y) {
    PrepareVisit();
    // During the name entry a tap on the name's row picks the letter nearest to it; any
    // other tap takes the page's confirm.
    const int rowTop = kFirstRowY + kRowSpacing * editRow - kNameRowAbove;
    if (editRow >= 0 && y >= rowTop && y < rowTop + kRowSpacing) {
        const int column = (x - kNameX) / SmallFont::Advance;
        editColumn = x < kNameX ? 0 : (column > kLastColumn ? kLastColumn : column);
        cursorOnTyped = false;
        blinkCounter = 0;
        return;
    }
    Leave();
}
