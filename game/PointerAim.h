// Aiming by pointing (mouse, finger, stylus): where on the play screen a press aims and a
// release fires, and the launcher angle that points at a spot. The angle is always one the
// aim keys can reach, so a game aimed by pointing is a game the keys could have played. All
// integer and a table made once, so every build and every back end aims a point the same way.
#pragma once

constexpr int kAimLowest = 10;
constexpr int kAimHighest = 170;
constexpr int kAimKeyStep = 4;
// Centre of the bubble waiting in the launcher, in screen pixels.
constexpr int kLauncherCentreX = 118;
constexpr int kLauncherCentreY = 277;

// The field above the launcher: a press here aims, a release fires.
bool InPointerAimZone(int x, int y);
// The right-hand strip below the score, less the aim zone: a tap there in play leaves for the
// title page.
bool InExitStrip(int x, int y);

// The reachable angle (90 plus or minus a multiple of 4, within 10..170; 90 is straight up,
// larger is further left) nearest to the direction dx to the right and up upwards. A
// direction below the horizontal takes the nearer limit; no direction at all (none, or
// straight down) keeps `current`. Exactly between two angles, the one nearer 90 wins.
int SnapAimDirection(int dx, int up, int current);
// The angle a press at the screen point (x, y) aims at. In the aim zone: the angle whose
// flight over an empty field (to its first bounce or the ceiling, as the guide shows it)
// passes nearest the point's centre, so the shot goes where the finger is rather than where a
// line drawn at the angle would; equally near, the angle nearer 90 wins. Elsewhere (a drag
// that wandered off the field) the angle of the direction from the launcher's bubble.
int PointerAimAngle(int x, int y, int current);
// Traces the flights once, ahead of the first press (which would otherwise wait for them).
void PreparePointerAim();
