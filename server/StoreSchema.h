// The schema both stores create, one step per version: a store at version N runs the steps
// after N, each in the transaction that records the new version, so a crash mid-way leaves the
// old version whole. The SQL is written to mean the same in SQLite and PostgreSQL.
#pragma once

#include <string>
#include <vector>

// Step i (from 0) brings the schema from version i to version i + 1. `serial` is the store's
// auto-incrementing key type.
inline std::vector<std::string> HallSchemaSteps(const std::string& serial) {
    return {
        "CREATE TABLE entries ("
        " id " +
            serial +
            " PRIMARY KEY,"
            " digest TEXT NOT NULL UNIQUE,"
            " board TEXT NOT NULL,"
            " score BIGINT NOT NULL,"
            " name TEXT NOT NULL,"
            " rounds_cleared INTEGER NOT NULL,"
            " last_round INTEGER NOT NULL,"
            " accepted_at TEXT NOT NULL,"
            " replay TEXT NOT NULL);"
            "CREATE INDEX entries_by_rank ON entries (board, score DESC, id);",
    };
}

// Ties go to the earlier submission: the smaller id.
constexpr const char* kRankQuery =
    "SELECT COUNT(*) FROM entries WHERE board = $1 AND (score > $2 OR (score = $2 AND id < $3))";
constexpr const char* kScoresQuery =
    "SELECT id, board, score, name, rounds_cleared, last_round, accepted_at FROM entries"
    " WHERE board = $1 ORDER BY score DESC, id LIMIT $2 OFFSET $3";
constexpr const char* kFindQuery =
    "SELECT id, board, score, name, rounds_cleared, last_round, accepted_at FROM entries"
    " WHERE digest = $1";
constexpr const char* kBoardsQuery = "SELECT board, COUNT(*) FROM entries GROUP BY board";
constexpr const char* kReplayQuery = "SELECT replay FROM entries WHERE id = $1";
