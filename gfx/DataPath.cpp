#include "gfx/DataPath.h"

#include <cstring>

char* MakeDataPath(char* dest, const char* dir, const char* name, size_t destSize) {
    if (!dest || destSize == 0) return nullptr;
    dest[0] = '\0';
    if (!dir || !name) return nullptr;
    const size_t dirLength = std::strlen(dir);
    const size_t nameLength = std::strlen(name);
    if (dirLength + nameLength + 1 > destSize) return nullptr;
    std::memcpy(dest, dir, dirLength);
    for (size_t i = 0; i <= nameLength; ++i) {
        const char c = name[i];
        dest[dirLength + i] = c == '\\' ? '/' : c;
    }
    return dest;
}
