#include "tools/assetgen/BmpReader.h"

#include <cstdio>

namespace assetgen {
namespace {

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

constexpr size_t kHeaders = 14 + 40;
constexpr int kMaxSide = 4096;

}  // namespace

bool DecodeBmp(const std::vector<uint8_t>& bytes, RgbImage& image) {
    if (bytes.size() < kHeaders || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const int32_t width = static_cast<int32_t>(Get32(bytes, 18));
    const int32_t height = static_cast<int32_t>(Get32(bytes, 22));
    const int bits = bytes[28] | bytes[29] << 8;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
    if (bits != 8 && bits != 24) return false;
    size_t paletteEntries = 0;
    if (bits == 8) {
        paletteEntries = Get32(bytes, 46);
        if (paletteEntries == 0) paletteEntries = 256;
        if (paletteEntries > 256) return false;
    }
    const size_t paletteAt = kHeaders;
    const size_t pixelsAt = paletteAt + paletteEntries * 4;
    const size_t rowBytes = (static_cast<size_t>(bits / 8) * width + 3) & ~size_t{3};
    if (bytes.size() < pixelsAt + rowBytes * height) return false;
    image.width = width;
    image.height = height;
    image.rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    for (int row = 0; row < height; ++row) {
        const size_t in = pixelsAt + rowBytes * (height - 1 - row);
        for (int x = 0; x < width; ++x) {
            uint8_t* out = &image.rgb[(static_cast<size_t>(row) * width + x) * 3];
            size_t bgr = in + static_cast<size_t>(x) * 3;
            if (bits == 8) {
                const size_t index = bytes[in + x];
                if (index >= paletteEntries) continue;  // stays black
                bgr = paletteAt + index * 4;
            }
            out[0] = bytes[bgr + 2];
            out[1] = bytes[bgr + 1];
            out[2] = bytes[bgr];
        }
    }
    return true;
}

bool ReadBmp(const std::string& path, RgbImage& image) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    return DecodeBmp(bytes, image);
}

}  // namespace assetgen
