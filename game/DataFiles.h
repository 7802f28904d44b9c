// The game's own list of the data files it loads (pictures and sounds; the rounds file apart).
#pragma once

#include <iterator>
#include <string>
#include <vector>

// File names without a directory, pictures first, as they lie in the data directory.
std::vector<std::string> GameDataFiles();
