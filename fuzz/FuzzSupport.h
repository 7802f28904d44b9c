// What the fuzz targets share: a private directory the game's file functions read from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// A directory made once per process; the game's data and save directories point at it.
const std::string& WorkDir();
void WriteFile(const std::string& name, const uint8_t* data, size_t size);

}  // namespace fuzz
