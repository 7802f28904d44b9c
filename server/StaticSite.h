// The page's files, served from one folder and never from outside it.
#pragma once

#include <string>

struct StaticFile {
    int status = 404;
    std::string body;
    std::string contentType;
    std::string cacheControl;
};

class StaticSite {
  public:
    // An empty root serves nothing.
    explicit StaticSite(const std::string& root);
    // `path` is the request's decoded path. A `..` segment, a control character, or a file whose
    // real path (symbolic links followed) lies outside the root is 404, as is a missing file.
    StaticFile Get(const std::string& path) const;

  private:
    std::string root_;  // its real path, empty when there is none
};

// Hashed files for a year; the page, its manifest and its service worker never from a cache.
std::string CacheControlFor(const std::string& fileName);
