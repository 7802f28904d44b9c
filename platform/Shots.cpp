// --shot N:FILE.png: the frame as the display received it, converted to 8-bit RGB.
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/PlatformState.h"
#include "platform/Shots.h"

namespace platform {

void DecodeDisplay(const void* origin, const GXDisplayProperties& display, uint8_t* rgb) {
    const auto* base = static_cast<const uint8_t*>(origin);
    const bool is565 = (display.ffFormat & kfDirect565) != 0;
    for (uint32_t y = 0; y < display.cyHeight; ++y) {
        for (uint32_t x = 0; x < display.cxWidth; ++x) {
            const uint8_t* p = base + static_cast<ptrdiff_t>(x) * display.cbxPitch +
                               static_cast<ptrdiff_t>(y) * display.cbyPitch;
            uint16_t v;
            std::memcpy(&v, p, 2);
            const int r5 = is565 ? v >> 11 : (v >> 10) & 31;
            const int g5 = is565 ? (v >> 6) & 31 : (v >> 5) & 31;
            const int b5 = v & 31;
            uint8_t* out = rgb + (static_cast<size_t>(y) * display.cxWidth + x) * 3;
            out[0] = static_cast<uint8_t>(r5 << 3 | r5 >> 2);
            out[1] = static_cast<uint8_t>(g5 << 3 | g5 >> 2);
            out[2] = static_cast<uint8_t>(b5 << 3 | b5 >> 2);
        }
    }
}

void SaveRequestedShots(const void* origin, const GXDisplayProperties& display) {
    auto& state = State();
    for (const ShotRequest& shot : state.options.shots) {
        if (shot.frame != state.currentFrame || display.cBPP != 16) continue;
        std::vector<uint8_t> rgb(static_cast<size_t>(display.cxWidth) * display.cyHeight * 3);
        DecodeDisplay(origin, display, rgb.data());
        if (!WritePng(shot.path, display.cxWidth, display.cyHeight, rgb.data())) {
            std::fprintf(stderr, "tarngame: cannot write %s: %s\n", shot.path.c_str(),
                         std::strerror(errno));
            state.shotFailed = true;
        }
    }
}

}  // namespace platform
