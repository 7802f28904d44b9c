#include "server/StaticSite.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <fstream>
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

// NAME.HASH.EXT, HASH 8 to 64 hex digits, as the page's publisher names what it hashes.
bool IsHashed(const std::string& name) {
    size_t last = name.rfind('.');
    if (last == std::string::npos || last == 0) return false;
    size_t before = name.rfind('.', last - 1);
    if (before == std::string::npos) return false;
    std::string hash = name.substr(before + 1, last - before - 1);
    return hash.size() >= 8 && hash.size() <= 64 &&
           hash.find_first_not_of("0123456789abcdef") == std::string::npos;
}

std::string CacheControlFor(const std::string& fileName) {
    if (IsHashed(fileName)) return "public, max-age=31536000, immutable";
    if (fileName == "index.html" || fileName.find("manifest") != std::string::npos ||
        fileName == "sw.js" || fileName == "service-worker.js" || fileName == "serviceworker.js")
        return "no-store";
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
