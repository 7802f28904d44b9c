#include "tests/LayerRule.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace test {

namespace {

// What each layer may include besides its own files. The game layer is game/, bosses/ and
// pages/, which include each other; app/, tests/, bench/ and fuzz/ may include anything.
const std::map<std::string, std::set<std::string>>& Rule() {
    static const std::set<std::string> kGameLayer = {"game", "bosses", "pages",    "actors",
                                                     "gfx",  "sound",  "platform", "formats"};
    static const std::map<std::string, std::set<std::string>> kRule = {
        {"formats", {}},
        {"platform", {}},
        {"gfx", {"platform"}},
        {"sound", {"platform"}},
        {"actors", {"gfx", "sound", "platform"}},
        {"game", kGameLayer},
        {"bosses", kGameLayer},
        {"pages", kGameLayer},
        {"bot", kGameLayer},
        {"tools/assetgen", {"formats"}},
        {"server", {"formats"}},
    };
    return kRule;
}

const std::set<std::string> kAnything = {"app", "tests", "bench", "fuzz"};

// System libraries only their own corner of the tree may use.
const std::map<std::string, std::string> kSystemOwner = {
    {"<SDL", "platform"}, {"<cairo", "tools/assetgen"}, {"<emscripten", "platform"}};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The header a line includes, "<name>" for angle brackets; "" for any other line.
std::string IncludedHeader(const std::string& line) {
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') return "";
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) return "";
    at = line.find_first_not_of(" \t", at + 7);
    if (at == std::string::npos || (line[at] != '"' && line[at] != '<')) return "";
    const size_t end = line.find(line[at] == '<' ? '>' : '"', at + 1);
    if (end == std::string::npos) return "";
    const std::string name = line.substr(at + 1, end - at - 1);
    return line[at] == '<' ? "<" + name + ">" : name;
}

}  // namespace

std::string LayerOf(const std::string& path) {
    if (StartsWith(path, "tools/assetgen/")) return "tools/assetgen";
    const size_t slash = path.find('/');
    if (slash == std::string::npos) return "";
    const std::string top = path.substr(0, slash);
    return Rule().count(top) || kAnything.count(top) ? top : "";
}

bool MayInclude(const std::string& from, const std::string& path) {
    if (kAnything.count(from)) return true;
    if (StartsWith(path, "<")) {
        for (const auto& [prefix, owner] : kSystemOwner)
            if (StartsWith(path, prefix)) return from == owner;
        return true;  // the standard library
    }
    if (path.find('/') == std::string::npos) return true;  // beside the includer
    const std::string to = LayerOf(path);
    if (to == from) return true;
    const auto rule = Rule().find(from);
    return rule != Rule().end() && rule->second.count(to) > 0;
}

std::vector<std::string> FindLayerBreaks(const std::string& root) {
    namespace fs = std::filesystem;
    std::vector<std::string> breaks;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        const std::string relative = fs::relative(entry.path(), root).generic_string();
        const std::string from = LayerOf(relative);
        if (from.empty()) continue;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            const std::string header = IncludedHeader(line);
            if (!header.empty() && !MayInclude(from, header))
                breaks.push_back(relative + ":" + std::to_string(number) + ": includes " + header);
        }
    }
    return breaks;
}

}  // namespace test
