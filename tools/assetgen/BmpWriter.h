// Writes the uncompressed Windows bitmaps the game reads: 24-bit, and 8-bit with a palette.
// Pixels come top row first; the file stores them bottom row first, rows padded to 4 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// rgb holds width * height * 3 bytes, R G B per pixel, top row first.
std::vector<uint8_t> EncodeBmp24(int width, int height, const uint8_t* rgb);
// indices holds width * height palette indices, top row first; at most 256 palette entries.
std::vector<uint8_t> EncodeBmp8(int width, int height, const uint8_t* indices,
                                const std::vector<Rgb>& palette);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteBmp24(const std::string& path, int width, int height, const uint8_t* rgb);
bool WriteBmp8(const std::string& path, int width, int height, const uint8_t* indices,
               const std::vector<Rgb>& palette);

}  // namespace assetgen
