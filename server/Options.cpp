#include "server/Options.h"

#include <cstdlib>
#include <thread>

const char* const kHallUsage =
    "usage: tarnhall [--listen HOST:PORT] [--data DIR] [--site DIR] [--db postgresql://...]\n"
    "                [--game PATH] [--workers N] [--queue N] [--submit-limit N]\n"
    "                [--trust-proxy] [--no-memory-limit] [--help]\n"
    "\n"
    "The hall of fame: accepts a replay only when `tarngame --verify` reaches its score.\n"
    "  --listen HOST:PORT   where to listen (default 127.0.0.1:8080; port 0 picks a free one)\n"
    "  --data DIR           data folder: the SQLite file and replays being verified (hall-data)\n"
    "  --site DIR           the web edition's files, served at /\n"
    "  --db URL             a PostgreSQL database (postgresql://...) instead of SQLite; several\n"
    "                       servers may share it\n"
    "  --game PATH          the verifier (default: the tarngame beside tarnhall)\n"
    "  --workers N          verifiers running at once (default: the number of cores)\n"
    "  --queue N            submissions waiting for a verifier before 503 (default 64)\n"
    "  --submit-limit N     submissions a minute from one address, per server (default 30)\n"
    "  --trust-proxy        take the client's address from X-Forwarded-For\n"
    "  --no-memory-limit    no memory limit on verifiers (for a sanitizer build of the game)\n"
    "One log line per request goes to standard error; SIGTERM finishes the verifications under\n"
    "way and stops.\n";

namespace {

bool ReadCount(const char* text, int low, int* value) {
    char* end = nullptr;
    long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || number < low || number > 100000) return false;
    *value = static_cast<int>(number);
    return true;
}

bool ReadListen(const std::string& text, HallOptions* options) {
    size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    std::string host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    int port = 0;
    if (!ReadCount(text.c_str() + colon + 1, 0, &port) || port > 65535) return false;
    options->host = host;
    options->port = port;
    return true;
}

}  // namespace

std::string ParseHallOptions(int argc, char** argv, HallOptions* options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options->help = true;
            continue;
        }
        if (arg == "--trust-proxy") {
            options->trustProxy = true;
            continue;
        }
        if (arg == "--no-memory-limit") {
            options->memoryLimit = false;
            continue;
        }
        static const char* const kWithValue[] = {"--listen", "--data",        "--site",
                                                 "--db",     "--game",        "--workers",
                                                 "--queue",  "--submit-limit"};
        bool known = false;
        for (const char* name : kWithValue)
            known = known || arg == name;
        if (!known) return "unknown option " + arg;
        if (i + 1 >= argc) return arg + " needs a value";
        const char* value = argv[++i];
        bool ok = true;
        if (arg == "--listen")
            ok = ReadListen(value, options);
        else if (arg == "--data")
            options->dataDir = value;
        else if (arg == "--site")
            options->siteDir = value;
        else if (arg == "--db")
            options->db = value;
        else if (arg == "--game")
            options->game = value;
        else if (arg == "--workers")
            ok = ReadCount(value, 1, &options->workers);
        else if (arg == "--queue")
            ok = ReadCount(value, 0, &options->queue);
        else
            ok = ReadCount(value, 1, &options->submitLimit);
        if (!ok) return "bad value for " + arg + ": " + value;
    }
    if (options->workers == 0) {
        unsigned cores = std::thread::hardware_concurrency();
        options->workers = cores > 0 ? static_cast<int>(cores) : 2;
    }
    if (!options->db.empty() && options->db.rfind("postgresql://", 0) != 0 &&
        options->db.rfind("postgres://", 0) != 0)
        return "--db takes a postgresql:// address";
    return "";
}
