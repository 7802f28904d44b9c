// The hall in a PostgreSQL database that several servers share. A small pool of connections,
// each with the statements prepared; a connection that breaks is dropped and opened anew on the
// next use, so a database restart costs the requests in flight, not the server.
#include <pqxx/pqxx>

#include <condition_variable>
#include <mutex>
#include <stdexcept>

#include "server/Store.h"
#include "server/StoreSchema.h"

namespace {

constexpr size_t kPoolSize = 8;
// Any number, the same in every server: two servers starting at once migrate one after the other.
constexpr long kMigrationLock = 0x7461726e;

HallEntry ReadEntry(const pqxx::row& row) {
    HallEntry entry;
    entry.id = row[0].as<long long>();
    entry.board = row[1].as<std::string>();
    entry.score = row[2].as<long long>();
    entry.name = row[3].as<std::string>();
    entry.roundsCleared = row[4].as<int>();
    entry.lastRound = row[5].as<int>();
    entry.date = row[6].as<std::string>();
    return entry;
}

class PostgresStore : public HallStore {
  public:
    explicit PostgresStore(const std::string& url) : url_(url) {
        auto connection = std::make_unique<pqxx::connection>(url_);
        Migrate(*connection);
        Prepare(*connection);
        idle_.push_back(std::move(connection));
    }

    std::optional<HallEntry> FindByDigest(const std::string& digest) override {
        return WithConnection([&](pqxx::connection& c) {
            pqxx::nontransaction tx(c);
            return Find(tx, digest);
        });
    }

    HallEntry Insert(const NewHallEntry& e, bool* inserted) override {
        return WithConnection([&](pqxx::connection& c) {
            pqxx::work tx(c);
            pqxx::result added = tx.exec_prepared("insert", e.digest, e.board, e.score, e.name,
                                                  e.roundsCleared, e.lastRound, e.date, e.replay);
            tx.commit();
            *inserted = !added.empty();
            pqxx::nontransaction read(c);
            std::optional<HallEntry> entry = Find(read, e.digest);
            if (!entry) throw std::runtime_error("postgresql: an inserted entry is missing");
            return *entry;
        });
    }

    std::vector<BoardCount> Boards() override {
        return WithConnection([&](pqxx::connection& c) {
            pqxx::nontransaction tx(c);
            std::vector<BoardCount> boards;
            for (const pqxx::row& row : tx.exec_prepared("boards"))
                boards.push_back({row[0].as<std::string>(), row[1].as<long long>()});
            return boards;
        });
    }

    std::vector<HallEntry> Scores(const std::string& board, long long limit,
                                  long long offset) override {
        return WithConnection([&](pqxx::connection& c) {
            pqxx::nontransaction tx(c);
            std::vector<HallEntry> entries;
            for (const pqxx::row& row : tx.exec_prepared("scores", board, limit, offset)) {
                entries.push_back(ReadEntry(row));
                entries.back().rank = offset + static_cast<long long>(entries.size());
            }
            return entries;
        });
    }

    std::optional<std::string> Replay(long long id) override {
        return WithConnection([&](pqxx::connection& c) -> std::optional<std::string> {
            pqxx::nontransaction tx(c);
            pqxx::result r = tx.exec_prepared("replay", id);
            if (r.empty()) return std::nullopt;
            return r[0][0].as<std::string>();
        });
    }

    bool Reachable() override {
        try {
            return WithConnection([&](pqxx::connection& c) {
                pqxx::nontransaction tx(c);
                return !tx.exec_prepared("ping").empty();
            });
        } catch (const std::exception&) {
            return false;
        }
    }

  private:
    std::optional<HallEntry> Find(pqxx::transaction_base& tx, const std::string& digest) {
        pqxx::result found = tx.exec_prepared("find", digest);
        if (found.empty()) return std::nullopt;
        HallEntry entry = ReadEntry(found[0]);
        pqxx::result rank = tx.exec_prepared("rank", entry.board, entry.score, entry.id);
        entry.rank = rank[0][0].as<long long>() + 1;
        return entry;
    }

    static void Prepare(pqxx::connection& c) {
        c.prepare("find", kFindQuery);
        c.prepare("rank", kRankQuery);
        c.prepare("scores", kScoresQuery);
        c.prepare("boards", kBoardsQuery);
        c.prepare("replay", kReplayQuery);
        c.prepare("insert",
                  "INSERT INTO entries (digest, board, score, name, rounds_cleared, last_round,"
                  " accepted_at, replay) VALUES ($1, $2, $3, $4, $5, $6, $7, $8)"
                  " ON CONFLICT (digest) DO NOTHING RETURNING id");
        c.prepare("ping", "SELECT 1");
    }

    static void Migrate(pqxx::connection& c) {
        pqxx::work tx(c);
        tx.exec("SELECT pg_advisory_xact_lock(" + std::to_string(kMigrationLock) + ")");
        tx.exec("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
        pqxx::result r = tx.exec("SELECT version FROM schema_version");
        long long version = 0;
        if (r.empty())
            tx.exec("INSERT INTO schema_version VALUES (0)");
        else
            version = r[0][0].as<long long>();
        if (version > kHallSchemaVersion)
            throw std::runtime_error("the database has schema version " + std::to_string(version) +
                                     ", newer than this server's " +
                                     std::to_string(kHallSchemaVersion));
        std::vector<std::string> steps = HallSchemaSteps("BIGSERIAL");
        for (long long v = version; v < kHallSchemaVersion; ++v)
            tx.exec(steps[v]);
        tx.exec("UPDATE schema_version SET version = " + std::to_string(kHallSchemaVersion));
        tx.commit();
    }

    std::unique_ptr<pqxx::connection> Take() {
        std::unique_lock<std::mutex> lock(mutex_);
        available_.wait(lock, [&] { return !idle_.empty() || open_ < kPoolSize; });
        if (!idle_.empty()) {
            auto connection = std::move(idle_.back());
            idle_.pop_back();
            return connection;
        }
        ++open_;
        lock.unlock();
        try {
            auto connection = std::make_unique<pqxx::connection>(url_);
            Prepare(*connection);
            return connection;
        } catch (...) {
            Give(nullptr);
            throw;
        }
    }

    // Returns a connection to the pool; nullptr for one that broke.
    void Give(std::unique_ptr<pqxx::connection> connection) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (connection)
            idle_.push_back(std::move(connection));
        else
            --open_;
        available_.notify_one();
    }

    template <typename Work>
    auto WithConnection(Work work) -> decltype(work(std::declval<pqxx::connection&>())) {
        std::unique_ptr<pqxx::connection> connection = Take();
        try {
            auto result = work(*connection);
            Give(std::move(connection));
            return result;
        } catch (const pqxx::broken_connection&) {
            Give(nullptr);
            throw;
        } catch (...) {
            Give(std::move(connection));
            throw;
        }
    }

    std::string url_;
    std::mutex mutex_;
    std::condition_variable available_;
    std::vector<std::unique_ptr<pqxx::connection>> idle_;
    size_t open_ = 1;
};

}  // namespace

std::unique_ptr<HallStore> OpenPostgresStore(const std::string& url) {
    return std::make_unique<PostgresStore>(url);
}

std::unique_ptr<HallStore> OpenHallStore(const std::string& where) {
    if (where.rfind("postgresql://", 0) == 0 || where.rfind("postgres://", 0) == 0)
        return OpenPostgresStore(where);
    return OpenSqliteStore(where);
}
