// The start-up check of the data directory: without the rounds every round would count as
// won, and a missing or damaged picture or sound would show as black or play as nothing.
#pragma once

#include <string>

// True when dir holds a whole "rounds.dat" and every picture and sound the game loads, each
// whole. Otherwise false, with *problem saying which file is missing or damaged and where it
// was looked for.
bool CheckDataDirectory(const std::string& dir, std::string* problem);
