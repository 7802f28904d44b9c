// Reads back the uncompressed 8- and 24-bit bitmaps the generator writes, for the contact
// sheet and for checks. Anything else, or a file shorter than its header promises, is refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct RgbImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // R G B per pixel, top row first
};

bool DecodeBmp(const std::vector<uint8_t>& bytes, RgbImage& image);
bool ReadBmp(const std::string& path, RgbImage& image);

}  // namespace assetgen
