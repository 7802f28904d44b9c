// Aiming by pointing (mouse, finger, stylus): where on the play screen a press aims and a
// release fires, and the launcher angle that points at a spot. The angle is always one the
// aim keys can reach, so a game aimed by pointing is a game the keys could have played. All
// integer, so every build and every back end snaps a point to the same angle.
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
// The angle from the launcher's bubble to the screen point (x, y).
int PointerAimAngle(int x, int y, int current);
