// The start-up check of the data directory: without the rounds every round would count as
// won, and without the first page's pictures the window would stay black.
#pragma once

#include <string>

// True when dir holds a whole "rounds.dat" and the title page's pictures. Otherwise false,
// with *problem saying which file is missing or damaged and where it was looked for.
bool CheckDataDirectory(const std::string& dir, std::string* problem);
