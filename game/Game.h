// The one game object: the bubble field and its geometry, the shot, the colour queue, the
// counters, the characters, pages, bosses and effects, and the pictures of the play screen.
// The shell creates it on the first paint and never destroys it. Its operations are spread
// over several files by concern: Game.cpp (construction, geometry, small operations),
// GameShot.cpp (the frame's play logic), GameMatch.cpp (groups, popping, falling),
// GameRounds.cpp (round flow and states), GameRender.cpp (the play screen),
// GameInput.cpp (keys and taps), GameEffects.cpp (effect slots, episode bonus).
#pragma once

#include <cstdint>
#include <string>

#include "game/FieldGeometry.h"
#include "game/GameRandom.h"
#include "game/ReplayRecorder.h"
#include "game/RoundBook.h"
#include "game/ShotRules.h"
#include "platform/Device.h"
#include "platform/i_gx.h"

class BackBuffer;
class BigFish;
class Bitmap;
class Boss;
class Effect;
class GameOverScene;
class HiScoreScene;
class OptionsScene;
class Rival;
class Scene;
class ScoreCounter;
struct EditorStart;
class TitleScene;

constexpr int kFieldRows = 12;
constexpr int kFieldCols = 8;
constexpr int kBigPopScore = 300;
constexpr int kWarnShots = 10;
constexpr int kMaxEffects = 600;
constexpr int kConfirmKeys[3] = {kKeyLaunch, kKeyLaunch2, kKeyLaunch3};
constexpr int kPauseKey = kKeyPause;
// Backspace and the gamepad's Back: the exit picture's tap, in play only.
constexpr int kExitKey = kKeyExit;
// Typed keys, where a page takes text (the name entry): Backspace and Enter.
constexpr int kBackspaceKey = kTypedBackspace;
constexpr int kEnterKey = kTypedEnter;
// The result pages ignore every key and tap for this many frames after they open, so fire
// still held or mashed as the game ends cannot skip them or type into the name.
constexpr int kResultPageGuardFrames = 20;
// After the guard, a confirm there counts only when no confirm went down in this many frames
// before it: a key being mashed is not a decision.
constexpr int kMashFrames = 10;
constexpr int kMaxHeldKeys = 16;
constexpr int kEmptyCell = -1;
static_assert(kFieldRows == kShotRows && kFieldCols == kShotCols, "one field shape");

enum GameState : int {
    kStatePlay = 0,
    kStateTitle = 1,
    kStateOptions = 2,
    kStateGameOver = 3,
    kStateHiScores = 4,
    kStateEditor = 5,
    kStateNone = -1,  // where a state to return to is not set
};

bool IsConfirmKey(int key);

class Game {
  public:
    // A player's round set, or null for the built-in rounds in the data directory.
    explicit Game(const RoundBook* customRounds = nullptr);
    virtual ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Field geometry, and the shot rules over this game's field.
    FieldGeometry Geometry() const;
    ShotRules Rules();
    int RowLength(int row) const;
    bool IsShiftedRow(int row) const;  // short row, half a cell to the right
    int CellX(int row, int col) const;
    int CellY(int row) const;
    // Neighbours of (row, col) in the order groups are flooded; returns how many exist.
    int Neighbours(int row, int col, int rows[6], int cols[6]) const;

    // Small operations.
    void SetRunning() { running = true; }
    void ClearRunning() { running = false; }
    void Suspend();
    void Resume();
    void SelectRoundsMode();
    void SelectPushMode();
    void StartMusic();
    int GetScore() const;
    // Whatever is shown, the title page next, as when the program starts (the end of a demo).
    void ReturnToTitle();

    // The frame's play logic.
    void Update();
    void Launch();
    void AutoLaunch();
    bool AttachShot(int row, int col, int colour);
    void AttachAtCeiling(int x, int colour);
    void DropCeiling();
    void LoseStep();

    // Groups, popping and falling.
    void FloodGroup(int row, int col, int colour);
    void UnmarkGroup();
    void PopGroup();
    void MarkConnected(int row, int col);

    // Round flow and states.
    void NewGame();
    // A new game in rounds or push mode, as the title page starts it.
    void StartGame(bool push);
    void RetryRound();
    // The daily game of a day (YYYY-MM-DD, UTC): push mode, with its field, its rows and the
    // launcher's colours drawn from generators seeded by the date.
    void StartDaily(const std::string& date);
    // Where this game's high scores are kept ("" keeps none).
    const char* ScoresFile() const;
    // The game ended: its replay closes with the name entered for it ("" for none).
    void CloseReplay(const std::string& name);
    void LoadRound(int n);
    // The round editor (--edit, and the web page's editor): opens it on a set; false when
    // its page cannot be made.
    bool OpenEditor(const EditorStart& start);
    // A real rounds-mode game of one round from the editor; losing, clearing or the exit tap
    // come back to the editor.
    void StartEditorTrial(const RoundRecord& record, int index);
    void ReturnToEditor();
    // Leaving the editor: the title page, with the rounds the game started with.
    void LeaveEditor();
    // Where a game in play goes when it ends or is left, if not its own way (the hi-score
    // page, the title): the editor, for its test of a round. True when it went there.
    bool ReturnAfterPlay();
    // Plays another round set from now on (its own progress comes with it).
    void UseRounds(const RoundBook& book);
    int LastRound() const { return roundBook.LastRound(); }
    void SetUpBoss();
    void RunClearSequence(BackBuffer& target);
    void SaveProgress();
    int LoadProgress();
    void RaiseStartRound();
    void LowerStartRound();
    // The start round the settings keep, limited by progress (built-in rounds only).
    void RestoreStartRound();
    int GetStartRound() const { return startRound; }

    // The play screen.
    void Render(BackBuffer& target);
    void DrawPlayScreen(BackBuffer& target);
    void DrawStones(BackBuffer& target);
    void DrawField(BackBuffer& target);
    // The field's bubbles alone, as they lie (the editor draws its rounds with it).
    void DrawFieldCells(BackBuffer& target, const int (&cells)[kFieldRows][kFieldCols],
                        const FieldGeometry& geometry, int shake) const;
    // The ends of a round the drawn field decides: a bubble on the deadline, an empty field.
    void CheckFieldEnds();
    void DrawMachinery(BackBuffer& target);
    void DrawPointer(BackBuffer& target);
    void DrawAimGuide(BackBuffer& target);

    // Input, from the shell (and the lose sequence's own key).
    void OnKeyDown(int key);
    void OnKeyUp(int key);
    void OnTap(int x, int y);
    void OnStylusMove(int x, int y);
    void OnStylusUp(int x, int y);

    // Effects.
    void AddEffect(Effect* effect);
    void ClearEffects();
    void AwardEpisodeBonus();

    // The page of a page state, or null (a page that does not exist yet).
    Scene* PageForState(int pageState) const;

    int field[kFieldRows][kFieldCols];
    RoundBook roundBook;
    int hiScoreReturnState = kStateGameOver;
    int state = kStateTitle;
    GXKeyList keys;
    Bitmap* warnImages[5] = {};
    Bitmap* ballImages[9] = {};
    Bitmap* patternImages[12] = {};
    Bitmap* gearImages[3] = {};
    Bitmap* smallGearImages[3] = {};
    Bitmap* dogImages[3] = {};
    Bitmap* pointerImages[21] = {};
    Bitmap* stoneImages[11] = {};
    Bitmap* victoryImage = nullptr;
    Bitmap* maskImage = nullptr;
    Bitmap* boardImage = nullptr;
    Bitmap* bridgeImage = nullptr;
    Bitmap* lineImage = nullptr;
    Bitmap* exitImage = nullptr;
    Bitmap* aimDotImage = nullptr;
    Boss* bosses[4] = {};
    GameOverScene* gameOverPage = nullptr;
    TitleScene* titlePage = nullptr;
    OptionsScene* optionsPage = nullptr;
    HiScoreScene* hiScorePage = nullptr;
    Scene* editorPage = nullptr;  // made by OpenEditor
    Boss* boss = nullptr;
    Rival* rival = nullptr;
    BigFish* bigFish = nullptr;
    ScoreCounter* score = nullptr;
    // All null from the start: the first frame of a game reads every slot up to lastEffect.
    Effect* effects[kMaxEffects] = {};
    int bestRound = -1;
    int clearTimer = 40;
    int clearBonus = -1;
    int startRound = 0;
    int round = 0;
    int fieldLeft = 30;
    int shotMaxX = 184;
    int fieldTop = 17;
    int cellWidth = 22;
    int rowHeight = 19;
    int baseTop = 17;
    int shotColour = 1;
    int aimAngle = 90;
    int aimStep = 0;
    int shotX = 0;
    int shotY = 0;
    int shotVX = 0;
    int shotVY = 0;
    int candRow[6] = {};
    int candCol[6] = {};
    int candDist[6] = {};
    int nextColour = 1;
    int afterNextColour = 2;
    int rowParity = 0;
    int missCount = 0;
    int matchCount = 0;
    int shotsSinceDrop = 0;
    int aimRepeatDelay = 0;
    int deadlineRow = kFieldRows - 1;
    int lastEffect = -1;
    int idleFrames = 0;
    // The state the last frame showed, and how many frames it has been shown.
    int shownState = kStateTitle;
    int shownFrames = 0;
    // Frames drawn so far, and the frame of the last confirm key pressed (for the mash rule).
    long drawnFrames = 0;
    long lastConfirmFrame = -1000;
    // Keys down now (by what they are on the keyboard, not what the page makes of them), and
    // whether a result page waits for the keys that were down when it opened to be let go.
    int heldKeys[kMaxHeldKeys] = {};
    int heldKeyCount = 0;
    bool awaitingRelease = false;
    // Counted over the whole run, across games, for the statistics line.
    int shotsFired = 0;
    int roundsCleared = 0;
    int bossesBeaten = 0;
    int autoFireDelay = 100;
    int shakeOffset = 1;
    bool suspended = false;
    bool rivalLoseArmed = true;
    bool roundCleared = false;
    bool running = false;
    // The title page's Quit entry asks; the shell that runs the game ends the program.
    bool quitRequested = false;
    bool shotFlying = false;
    bool losing = false;
    bool rowParityFlag = false;
    bool pushMode = false;
    // kStateEditor while the game in play is the editor's test of one round; kStateNone else.
    int returnAfterPlay = kStateNone;
    RoundBook ownRounds;  // the set the game started with, for the title after the editor
    bool launchEnabled = true;
    // A press in the field is aiming the launcher and has not been lifted yet.
    bool pointerHeld = false;
    bool colourPresent[8] = {};
    // The game in play's replay, and what its result counts.
    ReplayRecorder replay;
    int gameRoundsCleared = 0;
    int gameLastRound = 1;  // counted from 1
    // The daily game: its date and its own generators.
    bool daily = false;
    std::string dailyDate;
    GameRandom dailyFieldRandom;
    GameRandom dailyRowRandom;
    GameRandom dailyColourRandom;

  private:
    // Every start of play: a new game, a retry, the daily game, the editor's try-out.
    void BeginPlayAt(int firstRound);
    // What a game would otherwise carry in from the one before it.
    void ResetCarriedState();
    void SeedDailyRandom();
    void BeginReplay(long long draws);
    std::string BoardName() const;
    // The game's sequence, or in the daily game the date's own generator for that purpose.
    int FieldRand();
    int RowRand();
    int ColourRand();
    void RenderShown(BackBuffer& target);
    char dailyScoresFile_[32] = "";
    void LoadPictures();
    void CreateActors();
    void CreatePages();
    void FillStartField();
    // Rebuilds colourPresent from the field; returns the number of coloured bubbles.
    int CountColours();
    int DrawPresentColour(int bubbles);
    void PickLauncherColours();
    void MoveShotOneFrame();
    void PlaceShot(int row, int col, int colour);
    void FinishAttach();
    void CheckCeilingDrop();
    void TurnLauncher();
    int EffectX(int row, int col) const;
    int EffectY(int row) const;
    void FillPushField();
    void ResetShotAndCeiling();
    void EndClearSequence();
    void StartClearBonus();
    void DrawClearTexts(BackBuffer& target);
    void EnterNextRound();
    void PayClearBonus();
    void KeepStartRound();
    void LaunchByKey();
    void FireKey();
    void PlayKey(int key);
    void PlayPointerDown(int x, int y);
    void PlayPointerUp(int x, int y);
    void LeavePlay();
    // Notes a change of state made since the last frame: the frame count starts again.
    void NoteShownState();
    // A key that a result page must not act on: it has just opened, a key held since it
    // opened is still down (for any key but a confirm), or the key is a confirm being mashed.
    bool ResultPageGuarded(int key);
    bool ResultPageTapGuarded();
    void NoteKeyDown(int key);
    void NoteKeyUp(int key);
};
