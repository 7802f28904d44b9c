// Wide and narrow text: the shell keeps its directory in both, the sound library takes wide
// paths. Narrow text is UTF-8 here.
#include <cwchar>
#include <string>

#include "platform/PlatformState.h"
#include "platform/Text.h"
#include "platform/i_window.h"

namespace platform {

std::wstring Utf8ToWide(const std::string& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (i + extra >= text.size()) extra = 0;  // a truncated sequence stays one byte
        uint32_t code = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(static_cast<wchar_t>(code));
        i += 1 + extra;
    }
    return out;
}

std::string WideToUtf8(const wchar_t* text, size_t count) {
    std::string out;
    for (size_t i = 0; i < count && text[i]; ++i) {
        const uint32_t c = static_cast<uint32_t>(text[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | c >> 6));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | c >> 12));
            out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | c >> 18));
            out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string NativePath(const std::string& path) {
    std::string out = path;
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

}  // namespace platform

DWORD GetModuleFileNameW(HINSTANCE, wchar_t* buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    const std::wstring path = platform::Utf8ToWide(platform::State().dataDir + "\\tarngame");
    const size_t n = path.size() < size - 1 ? path.size() : size - 1;
    std::wmemcpy(buffer, path.data(), n);
    std::wmemset(buffer + n, L'\0', size - n);
    return static_cast<DWORD>(n);
}

int WideCharToMultiByte(UINT, DWORD, const wchar_t* wide, int wideCount, char* out, int outSize,
                        const char*, int*) {
    if (!wide || !out || outSize <= 0) return 0;
    const std::string text = platform::WideToUtf8(
        wide, wideCount < 0 ? std::wcslen(wide) + 1 : static_cast<size_t>(wideCount));
    const int n = static_cast<int>(text.size()) < outSize ? static_cast<int>(text.size()) : outSize;
    text.copy(out, static_cast<size_t>(n));
    for (int i = n; i < outSize; ++i)
        out[i] = '\0';
    return n;
}
