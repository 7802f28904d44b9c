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
        const GXDisplayProperties display = PortraitDisplay();
        SetShellEnvironment(&display, d.c_str(), d.c_str());
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
