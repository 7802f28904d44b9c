#include "game/Game.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "actors/BigFish.h"
#include "actors/BonusEffect.h"
#include "actors/BreakEffect.h"
#include "actors/Effect.h"
#include "actors/FishEffect.h"
#include "actors/Rival.h"
#include "bosses/Boss.h"
#include "game/GameRandom.h"
#include "game/PointerAim.h"
#include "game/Settings.h"
#include "gfx/BigFont.h"
#include "gfx/Bitmap.h"
#include "gfx/ScoreCounter.h"
#include "gfx/SmallFont.h"
#include "pages/EditorScene.h"
#include "pages/GameOverScene.h"
#include "pages/HiScoreScene.h"
#include "pages/OptionsScene.h"
#include "pages/Scene.h"
#include "pages/TitleScene.h"
#include "platform/i_system.h"
#include "sound/SoundBank.h"

namespace {

Bitmap* LoadPicture(const char* name) {
    return Bitmap::Load(name);
}

Bitmap* LoadKeyed(const char* name, int r, int g, int b) {
    Bitmap* bitmap = Bitmap::Load(name);
    if (bitmap) bitmap->SetColorKey(r, g, b);
    return bitmap;
}

// Loads "\<format>" with the numbers first, first + step, ... into table.
template <int N>
void LoadSeries(Bitmap* (&table)[N], const char* format, int first, int step, int keyR = -1,
                int keyG = 0, int keyB = 0) {
    char name[64];
    for (int i = 0; i < N; ++i) {
        std::snprintf(name, sizeof name, format, first + step * i);
        table[i] = keyR < 0 ? LoadPicture(name) : LoadKeyed(name, keyR, keyG, keyB);
    }
}

template <int N>
void DeleteAll(Bitmap* (&table)[N]) {
    for (Bitmap*& b : table) {
        delete b;
        b = nullptr;
    }
}

// The score's units digit, inside the box above the field (a picture of the play screen).
constexpr int kScoreUnitsX = 224;
constexpr int kScoreY = 2;

}  // namespace

bool IsConfirmKey(int key) {
    return key == kConfirmKeys[0] || key == kConfirmKeys[1] || key == kConfirmKeys[2];
}

Game::Game(const RoundBook* customRounds) {
    ownRounds = customRounds ? *customRounds : RoundBook::BuiltIn(I_DataDir().c_str());
    roundBook = ownRounds;
    bestRound = LoadProgress();
    Settings::Load();
    RestoreStartRound();
    PreparePointerAim();
    keys = GXGetDefaultKeys(GX_NORMALKEYS);
    LoadPictures();
    SmallFont::Load();
    BigFont::Load();
    BonusEffect::LoadImages();
    BreakEffect::LoadImages();
    FishEffect::LoadImages();
    CreateActors();
    CreatePages();
    FillStartField();
}

Game::~Game() {
    // The shell never destroys the game; tests make many, so give everything back.
    ClearEffects();
    delete titlePage;
    titlePage = nullptr;
    for (Boss*& b : bosses) {
        delete b;
        b = nullptr;
    }
    delete gameOverPage;
    delete optionsPage;
    delete hiScorePage;
    delete editorPage;
    delete score;
    delete rival;
    delete bigFish;
    DeleteAll(warnImages);
    DeleteAll(ballImages);
    DeleteAll(patternImages);
    DeleteAll(gearImages);
    DeleteAll(smallGearImages);
    DeleteAll(dogImages);
    DeleteAll(pointerImages);
    DeleteAll(stoneImages);
    for (Bitmap* b :
         {victoryImage, maskImage, boardImage, bridgeImage, lineImage, exitImage, aimDotImage})
        delete b;
}

void Game::LoadPictures() {
    exitImage = LoadKeyed("\\exit.bmp", 255, 255, 255);
    victoryImage = LoadPicture("\\victory.bmp");
    LoadSeries(warnImages, "\\warnt%d.bmp", 0, 1, 255, 0, 0);
    LoadSeries(ballImages, "\\ball%d.bmp", 0, 1, 0, 0, 0);
    boardImage = LoadKeyed("\\board.bmp", 255, 0, 0);
    LoadSeries(patternImages, "\\pattern%d.bmp", 0, 1);
    LoadSeries(gearImages, "\\gear%d.bmp", 0, 1, 0, 0, 0);
    LoadSeries(smallGearImages, "\\sgear%d.bmp", 0, 1, 255, 0, 0);
    LoadSeries(dogImages, "\\dog%d.bmp", 0, 1, 255, 0, 0);
    LoadSeries(pointerImages, "\\p%d.bmp", 90, -4, 0, 0, 0);
    LoadSeries(stoneImages, "\\stone%d.bmp", 0, 1);
    bridgeImage = LoadKeyed("\\bridge.bmp", 0, 0, 0);
    lineImage = LoadPicture("\\line.bmp");
    maskImage = LoadKeyed("\\mask.bmp", 255, 0, 0);
    aimDotImage = Bitmap::Filled(2, 2, 255, 255, 255);
}

void Game::CreateActors() {
    const int actorsY = 12 * rowHeight + cellWidth / 2 + baseTop;
    rival = new Rival(fieldLeft - 26, actorsY + 3);
    bigFish = new BigFish(fieldLeft + cellWidth, actorsY + 14);
    score = new ScoreCounter(kScoreUnitsX, kScoreY);
}

void Game::CreatePages() {
    gameOverPage = new GameOverScene(this);
    titlePage = new TitleScene(this);
    optionsPage = new OptionsScene(this);
    hiScorePage = new HiScoreScene(this);
}

void Game::FillStartField() {
    for (int r = 0; r < kFieldRows; ++r)
        for (int c = 0; c < kFieldCols; ++c)
            field[r][c] = r <= 6 ? GameRand() % 8 + 1 : kEmptyCell;
}

FieldGeometry Game::Geometry() const {
    FieldGeometry g;
    g.fieldLeft = fieldLeft;
    g.fieldTop = fieldTop;
    g.cellWidth = cellWidth;
    g.rowHeight = rowHeight;
    g.baseTop = baseTop;
    g.shotMaxX = shotMaxX;
    g.rowParity = rowParity;
    g.oddRowsLong = pushMode && rowParityFlag;
    return g;
}

ShotRules Game::Rules() {
    return ShotRules(field, Geometry());
}

int Game::RowLength(int row) const {
    return Geometry().RowLength(row);
}

bool Game::IsShiftedRow(int row) const {
    return Geometry().IsShiftedRow(row);
}

int Game::CellX(int row, int col) const {
    return Geometry().CellX(row, col);
}

int Game::CellY(int row) const {
    return Geometry().CellY(row);
}

int Game::Neighbours(int row, int col, int rows[6], int cols[6]) const {
    return Geometry().Neighbours(row, col, rows, cols);
}

void Game::Suspend() {
    suspended = true;
    running = false;
}

void Game::Resume() {
    if (suspended) running = true;
    suspended = false;
}

void Game::ReturnToTitle() {
    ClearRunning();
    suspended = false;
    aimStep = 0;  // keys the autoplayer held are let go
    aimRepeatDelay = -1;
    // A name half entered is dropped with its visit; the keyboard goes back to the key map.
    if (hiScorePage) hiScorePage->loaded = false;
    I_SetTypedKeys(false);
    replay.Abandon();
    state = kStateTitle;
}

void Game::SelectRoundsMode() {
    pushMode = false;
    daily = false;
    rowParityFlag = false;
    rowParity = 0;
}

void Game::SelectPushMode() {
    pushMode = true;
    daily = false;
}

void Game::StartMusic() {
    SoundBank::StartMusic();
}

int Game::GetScore() const {
    return score ? score->Get() : 0;
}

Scene* Game::PageForState(int pageState) const {
    switch (pageState) {
        case kStateTitle:
            return titlePage;
        case kStateOptions:
            return optionsPage;
        case kStateGameOver:
            return gameOverPage;
        case kStateHiScores:
            return hiScorePage;
        case kStateEditor:
            return editorPage;
        default:
            return nullptr;
    }
}
