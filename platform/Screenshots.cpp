#include "platform/Screenshots.h"

#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/Shots.h"
#include "platform/i_system.h"

namespace platform {

namespace {

bool IsDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string Timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

}  // namespace

std::string ScreenshotDir(const std::string& saveDir) {
    if (const char* env = std::getenv("XDG_PICTURES_DIR"); env && *env) return env;
    if (const char* home = std::getenv("HOME"); home && *home) {
        const std::string pictures = std::string(home) + "/Pictures";
        if (IsDirectory(pictures)) return pictures;
    }
    return saveDir;
}

std::string SaveScreenshot(const void* origin, const GXDisplayProperties& display, int scale,
                           const std::string& dir) {
    if (display.cBPP != 16 || scale < 1 || scale > 16 || !I_MakeDirectories(dir)) return "";
    const int w = static_cast<int>(display.cxWidth), h = static_cast<int>(display.cyHeight);
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    DecodeDisplay(origin, display, rgb.data());
    std::vector<uint8_t> big(static_cast<size_t>(w) * scale * h * scale * 3);
    for (int y = 0; y < h * scale; ++y)
        for (int x = 0; x < w * scale; ++x)
            for (int k = 0; k < 3; ++k)
                big[(static_cast<size_t>(y) * w * scale + x) * 3 + k] =
                    rgb[(static_cast<size_t>(y / scale) * w + x / scale) * 3 + k];
    const std::string base = dir + "/tarngame-" + Timestamp();
    std::string path = base + ".png";
    for (int n = 2; Exists(path); ++n)
        path = base + "-" + std::to_string(n) + ".png";
    return WritePng(path, w * scale, h * scale, big.data()) ? path : "";
}

}  // namespace platform
