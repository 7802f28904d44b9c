#include "fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Globals.h"

namespace fuzz {

const std::string& WorkDir() {
    static const std::string dir = [] {
        char pattern[] = "/tmp/tarnfuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        const std::string d = made ? made : "/tmp";
        std::snprintf(g_moduleDirA, sizeof g_moduleDirA, "%s", d.c_str());
        std::snprintf(g_saveDirA, sizeof g_saveDirA, "%s", d.c_str());
        g_display.cxWidth = 240;
        g_display.cyHeight = 320;
        g_display.cbxPitch = 2;
        g_display.cbyPitch = 480;
        g_display.cBPP = 16;
        g_display.ffFormat = kfDirect565;
        return d;
    }();
    return dir;
}

void WriteFile(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = WorkDir() + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace fuzz
