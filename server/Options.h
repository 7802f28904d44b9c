// tarnhall's command line.
#pragma once

#include <string>

struct HallOptions {
    std::string host = "127.0.0.1";
    int port = 8080;  // 0: any free port, printed when listening
    std::string dataDir = "hall-data";
    std::string siteDir;
    std::string db;    // "postgresql://..." or empty for SQLite in dataDir
    std::string game;  // empty: the tarngame beside tarnhall
    int workers = 0;   // 0: the number of cores
    int queue = 64;
    int submitLimit = 30;
    bool trustProxy = false;
    bool memoryLimit = true;
    bool help = false;
};

extern const char* const kHallUsage;

// Returns "" or a one-line message saying what is wrong.
std::string ParseHallOptions(int argc, char** argv, HallOptions* options);
