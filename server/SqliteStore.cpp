// The hall in one SQLite file. One connection behind a mutex: every query here takes
// microseconds, and one writer is all SQLite allows anyway. WAL with synchronous=FULL makes a
// commit durable before its 201 leaves.
#include <sqlite3.h>

#include <mutex>
#include <stdexcept>

#include "server/Store.h"
#include "server/StoreSchema.h"

namespace {

class Statement {
  public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string("sqlite: ") + sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Starts a use of the statement: clears what the last one left.
    Statement& Begin() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        return *this;
    }
    Statement& Bind(int index, long long value) {
        Check(sqlite3_bind_int64(stmt_, index, value));
        return *this;
    }
    Statement& Bind(int index, const std::string& value) {
        Check(sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }
    // True while there is a row.
    bool Step() {
        int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw std::runtime_error(std::string("sqlite: ") + sqlite3_errmsg(db_));
    }
    long long Int(int column) { return sqlite3_column_int64(stmt_, column); }
    std::string Text(int column) {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return text ? std::string(text, sqlite3_column_bytes(stmt_, column)) : std::string();
    }

  private:
    void Check(int rc) {
        if (rc != SQLITE_OK)
            throw std::runtime_error(std::string("sqlite: ") + sqlite3_errmsg(db_));
    }
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

void Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error("sqlite: " + message);
    }
}

HallEntry ReadEntry(Statement& row) {
    HallEntry entry;
    entry.id = row.Int(0);
    entry.board = row.Text(1);
    entry.score = row.Int(2);
    entry.name = row.Text(3);
    entry.roundsCleared = static_cast<int>(row.Int(4));
    entry.lastRound = static_cast<int>(row.Int(5));
    entry.date = row.Text(6);
    return entry;
}

class SqliteStore : public HallStore {
  public:
    explicit SqliteStore(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK) {
            std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw std::runtime_error("sqlite: cannot open " + path + ": " + message);
        }
        // Another process on the same file (a second server, a backup) waits rather than fails.
        sqlite3_busy_timeout(db_, 5000);
        Exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
        Migrate();
        find_ = std::make_unique<Statement>(db_, kFindQuery);
        rank_ = std::make_unique<Statement>(db_, kRankQuery);
        scores_ = std::make_unique<Statement>(db_, kScoresQuery);
        boards_ = std::make_unique<Statement>(db_, kBoardsQuery);
        replay_ = std::make_unique<Statement>(db_, kReplayQuery);
        insert_ = std::make_unique<Statement>(
            db_,
            "INSERT INTO entries (digest, board, score, name, rounds_cleared, last_round,"
            " accepted_at, replay) VALUES ($1, $2, $3, $4, $5, $6, $7, $8)"
            " ON CONFLICT (digest) DO NOTHING RETURNING id");
        ping_ = std::make_unique<Statement>(db_, "SELECT 1");
    }
    ~SqliteStore() override {
        find_.reset();
        rank_.reset();
        scores_.reset();
        boards_.reset();
        replay_.reset();
        insert_.reset();
        ping_.reset();
        sqlite3_close(db_);
    }

    std::optional<HallEntry> FindByDigest(const std::string& digest) override {
        std::lock_guard<std::mutex> lock(mutex_);
        return FindLocked(digest);
    }

    HallEntry Insert(const NewHallEntry& e, bool* inserted) override {
        std::lock_guard<std::mutex> lock(mutex_);
        Statement& s = insert_->Begin();
        s.Bind(1, e.digest).Bind(2, e.board).Bind(3, e.score).Bind(4, e.name);
        s.Bind(5, e.roundsCleared).Bind(6, e.lastRound).Bind(7, e.date).Bind(8, e.replay);
        *inserted = s.Step();
        if (*inserted) s.Step();  // the statement commits when it runs to its end
        std::optional<HallEntry> entry = FindLocked(e.digest);
        if (!entry) throw std::runtime_error("sqlite: an inserted entry is missing");
        return *entry;
    }

    std::vector<BoardCount> Boards() override {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<BoardCount> boards;
        Statement& s = boards_->Begin();
        while (s.Step())
            boards.push_back({s.Text(0), s.Int(1)});
        return boards;
    }

    std::vector<HallEntry> Scores(const std::string& board, long long limit,
                                  long long offset) override {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<HallEntry> entries;
        Statement& s = scores_->Begin().Bind(1, board).Bind(2, limit).Bind(3, offset);
        while (s.Step()) {
            entries.push_back(ReadEntry(s));
            entries.back().rank = offset + static_cast<long long>(entries.size());
        }
        return entries;
    }

    std::optional<std::string> Replay(long long id) override {
        std::lock_guard<std::mutex> lock(mutex_);
        Statement& s = replay_->Begin().Bind(1, id);
        if (!s.Step()) return std::nullopt;
        return s.Text(0);
    }

    bool Reachable() override {
        std::lock_guard<std::mutex> lock(mutex_);
        try {
            return ping_->Begin().Step();
        } catch (const std::exception&) {
            return false;
        }
    }

  private:
    std::optional<HallEntry> FindLocked(const std::string& digest) {
        Statement& s = find_->Begin().Bind(1, digest);
        if (!s.Step()) return std::nullopt;
        HallEntry entry = ReadEntry(s);
        Statement& r = rank_->Begin().Bind(1, entry.board).Bind(2, entry.score).Bind(3, entry.id);
        r.Step();
        entry.rank = r.Int(0) + 1;
        return entry;
    }

    void Migrate() {
        Exec(db_, "BEGIN IMMEDIATE");
        try {
            Exec(db_, "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
            long long version = 0;
            {
                Statement s(db_, "SELECT version FROM schema_version");
                if (s.Step())
                    version = s.Int(0);
                else
                    Exec(db_, "INSERT INTO schema_version VALUES (0)");
            }
            if (version > kHallSchemaVersion)
                throw std::runtime_error("the database has schema version " +
                                         std::to_string(version) + ", newer than this server's " +
                                         std::to_string(kHallSchemaVersion));
            std::vector<std::string> steps = HallSchemaSteps("INTEGER");
            for (long long v = version; v < kHallSchemaVersion; ++v)
                Exec(db_, steps[v]);
            Exec(db_, "UPDATE schema_version SET version = " + std::to_string(kHallSchemaVersion));
            Exec(db_, "COMMIT");
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }

    std::mutex mutex_;
    sqlite3* db_ = nullptr;
    std::unique_ptr<Statement> find_, rank_, scores_, boards_, replay_, insert_, ping_;
};

}  // namespace

std::unique_ptr<HallStore> OpenSqliteStore(const std::string& path) {
    return std::make_unique<SqliteStore>(path);
}
