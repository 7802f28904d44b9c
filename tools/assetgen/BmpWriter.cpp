#include "tools/assetgen/BmpWriter.h"

#include <cstdio>

namespace assetgen {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

int RowBytes(int bitsPerPixel, int width) {
    return ((bitsPerPixel / 8) * width + 3) & ~3;
}

void PutHeaders(std::vector<uint8_t>& out, int width, int height, int bitsPerPixel,
                uint32_t paletteEntries) {
    const uint32_t pixelOffset = 14 + 40 + paletteEntries * 4;
    const uint32_t imageBytes = RowBytes(bitsPerPixel, width) * height;
    out.push_back('B');
    out.push_back('M');
    Put32(out, pixelOffset + imageBytes);
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, bitsPerPixel);
    Put32(out, 0);  // no compression
    Put32(out, imageBytes);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, paletteEntries);
    Put32(out, 0);
}

void PadRow(std::vector<uint8_t>& out, int written, int rowBytes) {
    for (int i = written; i < rowBytes; ++i)
        out.push_back(0);
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(int width, int height, const uint8_t* rgb) {
    std::vector<uint8_t> out;
    PutHeaders(out, width, height, 24, 0);
    const int rowBytes = RowBytes(24, width);
    for (int row = height - 1; row >= 0; --row) {
        const uint8_t* p = rgb + static_cast<size_t>(row) * width * 3;
        for (int x = 0; x < width; ++x) {
            out.push_back(p[x * 3 + 2]);
            out.push_back(p[x * 3 + 1]);
            out.push_back(p[x * 3 + 0]);
        }
        PadRow(out, width * 3, rowBytes);
    }
    return out;
}

std::vector<uint8_t> EncodeBmp8(int width, int height, const uint8_t* indices,
                                const std::vector<Rgb>& palette) {
    std::vector<uint8_t> out;
    PutHeaders(out, width, height, 8, static_cast<uint32_t>(palette.size()));
    for (const Rgb& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    const int rowBytes = RowBytes(8, width);
    for (int row = height - 1; row >= 0; --row) {
        const uint8_t* p = indices + static_cast<size_t>(row) * width;
        out.insert(out.end(), p, p + width);
        PadRow(out, width, rowBytes);
    }
    return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool WriteBmp24(const std::string& path, int width, int height, const uint8_t* rgb) {
    return WriteFile(path, EncodeBmp24(width, height, rgb));
}

bool WriteBmp8(const std::string& path, int width, int height, const uint8_t* indices,
               const std::vector<Rgb>& palette) {
    if (palette.empty() || palette.size() > 256) return false;
    return WriteFile(path, EncodeBmp8(width, height, indices, palette));
}

}  // namespace assetgen
