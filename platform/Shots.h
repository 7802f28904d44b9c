#pragma once

#include <cstdint>
#include <string>

#include "platform/i_gx.h"

namespace platform {

// Reads a 16-bit display block (pixel (0,0) at origin) into width x height RGB triples.
void DecodeDisplay(const void* origin, const GXDisplayProperties& display, uint8_t* rgb);
bool WritePng(const std::string& path, int width, int height, const uint8_t* rgb);

}  // namespace platform
