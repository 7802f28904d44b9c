#pragma once

#include <cstddef>

constexpr size_t kMaxDataPath = 256;

// Joins a directory and a file name written with a leading backslash ("\ball1.bmp") into a
// path the file system understands. A path that does not fit leaves dest empty and returns
// null, so nothing is opened by mistake.
char* MakeDataPath(char* dest, const char* dir, const char* name, size_t destSize = kMaxDataPath);
