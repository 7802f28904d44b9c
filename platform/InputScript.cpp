#include "platform/InputScript.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

bool ParseNumber(const std::string& word, long low, long high, long* out) {
    if (word.empty() || word.size() > 12) return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) return false;
    *out = value;
    return true;
}

std::string StripComment(const std::string& line) {
    const size_t hash = line.find('#');
    return hash == std::string::npos ? line : line.substr(0, hash);
}

// Parses one non-empty line; returns an explanation on failure.
std::string ParseLine(const std::vector<std::string>& words, InputEvent* event) {
    if (words.size() < 3) return "expected FRAME EVENT ARGUMENTS";
    if (!ParseNumber(words[0], 0, LONG_MAX / 2, &event->frame)) return "bad frame number";
    const std::string& kind = words[1];
    long a = 0, b = 0;
    if (kind == "keydown" || kind == "keyup") {
        const bool ctrl = words.size() == 4 && words[3] == "ctrl" && kind == "keydown";
        if (words.size() != 3 && !ctrl) return "expected FRAME " + kind + " CODE";
        if (!ParseNumber(words[2], 1, 255, &a)) return "key code must be 1..255";
        event->message = kind == "keydown" ? WM_KEYDOWN : WM_KEYUP;
        event->control = ctrl;
    } else if (kind == "tap" || kind == "move" || kind == "release") {
        if (words.size() != 4) return "expected FRAME " + kind + " X Y";
        if (!ParseNumber(words[2], 0, 239, &a) || !ParseNumber(words[3], 0, 319, &b))
            return "position must be within 0..239 x 0..319";
        event->message = kind == "tap"    ? WM_LBUTTONDOWN
                         : kind == "move" ? WM_MOUSEMOVE
                                          : WM_LBUTTONUP;
    } else {
        return "unknown event '" + kind + "'";
    }
    event->a = static_cast<int>(a);
    event->b = static_cast<int>(b);
    return "";
}

}  // namespace

bool InputScript::Parse(const std::string& text, std::string* error) {
    events_.clear();
    next_ = 0;
    std::istringstream lines(text);
    std::string line;
    long lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        std::istringstream in(StripComment(line));
        std::vector<std::string> words;
        for (std::string w; in >> w;)
            words.push_back(w);
        if (words.empty()) continue;
        InputEvent event;
        std::string why = ParseLine(words, &event);
        if (why.empty() && !events_.empty() && event.frame < events_.back().frame)
            why = "frame " + std::to_string(event.frame) + " comes after frame " +
                  std::to_string(events_.back().frame);
        if (!why.empty()) {
            *error = "line " + std::to_string(lineNumber) + ": " + why;
            events_.clear();
            return false;
        }
        events_.push_back(event);
    }
    return true;
}

bool InputScript::Load(const std::string& path, std::string* error) {
    // A directory opens as a stream that reads nothing, which would run without the script.
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        *error = "cannot read " + path + ": not a file";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = "cannot read " + path;
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str(), error);
}

MSG InputScript::ToMessage(const InputEvent& event, HWND window) {
    MSG msg;
    msg.hwnd = window;
    msg.message = event.message;
    msg.control = event.control;
    if (event.message == WM_KEYDOWN || event.message == WM_KEYUP) {
        msg.wParam = static_cast<WPARAM>(event.a);
    } else {
        msg.lParam = static_cast<LPARAM>((event.a & 0xFFFF) | (event.b & 0xFFFF) << 16);
    }
    return msg;
}

std::string InputScript::FormatMessage(long frame, const MSG& msg) {
    const std::string f = std::to_string(frame) + " ";
    const int x = static_cast<int>(msg.lParam & 0xFFFF);
    const int y = static_cast<int>((msg.lParam >> 16) & 0xFFFF);
    switch (msg.message) {
        case WM_KEYDOWN:
            return f + "keydown " + std::to_string(msg.wParam) + (msg.control ? " ctrl" : "");
        case WM_KEYUP:
            return f + "keyup " + std::to_string(msg.wParam);
        case WM_LBUTTONDOWN:
            return f + "tap " + std::to_string(x) + " " + std::to_string(y);
        case WM_MOUSEMOVE:
            return f + "move " + std::to_string(x) + " " + std::to_string(y);
        case WM_LBUTTONUP:
            return f + "release " + std::to_string(x) + " " + std::to_string(y);
        default:
            return "";
    }
}
