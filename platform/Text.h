#pragma once

#include <string>

namespace platform {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const wchar_t* text, size_t count);
// A path as the game writes it (backslashes) in the file system's form.
std::string NativePath(const std::string& path);

}  // namespace platform
