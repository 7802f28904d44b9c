// Where the hall of fame keeps its entries: one interface, a SQLite file by default and a
// PostgreSQL database that several servers share. Every query is a prepared statement.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct HallEntry {
    long long id = 0;
    std::string board;
    long long rank = 0;  // 1 for the best; ties go to the earlier submission
    long long score = 0;
    std::string name;
    int roundsCleared = 0;
    int lastRound = 0;
    std::string date;  // when it was accepted, UTC, ISO 8601
};

// What a verified submission adds.
struct NewHallEntry {
    std::string digest;  // of the replay without its #name line: one game, one entry
    std::string board;
    long long score = 0;
    std::string name;
    int roundsCleared = 0;
    int lastRound = 0;
    std::string date;
    std::string replay;  // the file as it was submitted
};

struct BoardCount {
    std::string board;
    long long entries = 0;
};

class HallStore {
  public:
    virtual ~HallStore() = default;
    virtual std::optional<HallEntry> FindByDigest(const std::string& digest) = 0;
    // Adds the entry and returns it with its rank; when the same game is there already (another
    // server may have stored it a moment ago), returns that one and inserted = false.
    virtual HallEntry Insert(const NewHallEntry& entry, bool* inserted) = 0;
    virtual std::vector<BoardCount> Boards() = 0;
    // Best first; ranks counted from offset + 1.
    virtual std::vector<HallEntry> Scores(const std::string& board, long long limit,
                                          long long offset) = 0;
    virtual std::optional<std::string> Replay(long long id) = 0;
    // True when a trivial query answers.
    virtual bool Reachable() = 0;
};

constexpr int kHallSchemaVersion = 1;

// Opens (and creates or migrates) a store: "postgresql://..." or "postgres://..." for
// PostgreSQL, anything else is the path of a SQLite file. Throws std::runtime_error with a
// message for the log when it cannot.
std::unique_ptr<HallStore> OpenHallStore(const std::string& where);
std::unique_ptr<HallStore> OpenSqliteStore(const std::string& path);
std::unique_ptr<HallStore> OpenPostgresStore(const std::string& url);
