#include "server/StaticSite.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

bool HasUnsafeSegment(const std::string& path) {
    std::stringstream segments(path);
    std::string segment;
    while (std::getline(segments, segment, '/'))
        if (segment == "..") return true;
    for (unsigned char c : path)
        if (c < 0x20 || c == 0x7f || c == '\\') return true;
    return false;
}

std::string ContentType(const std::string& name) {
    static const std::pair<const char*, const char*> kTypes[] = {
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".mjs", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".json", "application/json"},
        {".webmanifest", "application/manifest+json"},
        {".wasm", "application/wasm"},
        {".png", "image/png"},
        {".svg", "image/svg+xml"},
        {".ico", "image/x-icon"},
        {".txt", "text/plain; charset=utf-8"},
        {".ogg", "audio/ogg"},
        {".opus", "audio/ogg"},
    };
    for (const auto& [ext, type] : kTypes) {
        std::string e(ext);
        if (name.size() >= e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0)
            return type;
    }
    return "application/octet-stream";
}

}  // namespace

std::string CacheControlFor(const std::string& fileName) {
    static const std::regex kHashed(R"(.*\.[0-9a-f]{8,64}\.[A-Za-z0-9]+$)");
    if (std::regex_match(fileName, kHashed)) return "public, max-age=31536000, immutable";
    static const std::regex kNever(R"(index\.html|.*manifest.*|sw\.js|service-?worker\.js)");
    if (std::regex_match(fileName, kNever)) return "no-store";
    return "no-cache";
}

StaticSite::StaticSite(const std::string& root) : root_(root.empty() ? "" : RealPath(root)) {}

StaticFile StaticSite::Get(const std::string& path) const {
    StaticFile file;
    if (root_.empty() || path.empty() || path[0] != '/' || HasUnsafeSegment(path)) return file;
    std::string wanted = root_ + path;
    struct stat info;
    if (stat(wanted.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) wanted += "/index.html";
    std::string real = RealPath(wanted);
    if (real.empty() || real.compare(0, root_.size() + 1, root_ + "/") != 0) return file;
    if (stat(real.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return file;
    std::ifstream in(real, std::ios::binary);
    if (!in) return file;
    std::ostringstream content;
    content << in.rdbuf();
    // Named for the path asked for, not where a link inside the site leads.
    std::string name = wanted.substr(wanted.rfind('/') + 1);
    file.status = 200;
    file.body = content.str();
    file.contentType = ContentType(name);
    file.cacheControl = CacheControlFor(name);
    return file;
}
