#include "server/migrations.h"

#include <array>
#include <string_view>

namespace tobu::server {
namespace {

// Step N brings the schema from version N-1 to N. Never edit a step once released: add one.
// {blob} is BLOB in SQLite and BYTEA in PostgreSQL; times are microseconds since 1970.
constexpr std::array<std::string_view, 1> Steps = {
    R"(
CREATE TABLE players (
  name TEXT PRIMARY KEY,
  token_hash TEXT NOT NULL,
  created BIGINT NOT NULL
);
CREATE TABLE levels (
  id TEXT PRIMARY KEY,
  name TEXT NOT NULL,
  author TEXT NOT NULL,
  uploaded BIGINT NOT NULL,
  plays BIGINT NOT NULL DEFAULT 0,
  body {blob} NOT NULL,
  picture {blob} NOT NULL
);
CREATE INDEX levels_by_uploaded ON levels (uploaded DESC, id);
CREATE INDEX levels_by_plays ON levels (plays DESC, id);
CREATE INDEX levels_by_author ON levels (author, uploaded DESC);
CREATE TABLE records (
  level TEXT NOT NULL REFERENCES levels (id),
  player TEXT NOT NULL REFERENCES players (name),
  time INTEGER NOT NULL,
  ticks INTEGER NOT NULL,
  submitted BIGINT NOT NULL,
  replay {blob} NOT NULL,
  PRIMARY KEY (level, player)
);
CREATE INDEX records_board ON records (level, time, submitted, player);
)",
};

std::string ForDialect(std::string_view step, bool postgres) {
  std::string sql(step);
  const std::string_view blob = "{blob}";
  for (size_t at = sql.find(blob); at != std::string::npos; at = sql.find(blob, at)) {
    sql.replace(at, blob.size(), postgres ? "BYTEA" : "BLOB");
  }
  return sql;
}

}  // namespace

int LatestSchemaVersion() { return static_cast<int>(Steps.size()); }

void MigrateSchema(Connection& connection) {
  for (int version = 1; version <= LatestSchemaVersion(); ++version) {
    WriteTransaction transaction(connection);
    connection.LockMigrations();
    connection.RunScript("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
    const std::vector<Row> rows = connection.Run("SELECT COALESCE(MAX(version), 0) FROM schema_version");
    if (IntAt(rows.at(0), 0) >= version) continue;  // the transaction rolls back: nothing to do
    connection.RunScript(ForDialect(Steps[static_cast<size_t>(version - 1)], connection.IsPostgres()));
    connection.Run("INSERT INTO schema_version (version) VALUES ($1)", {int64_t{version}});
    transaction.Commit();
  }
}

}  // namespace tobu::server
