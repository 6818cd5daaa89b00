// SQLite: one file, opened by every request thread with its own connection (WAL mode, so
// readers never wait for the writer).
#include <sqlite3.h>

#include <cctype>
#include <unordered_map>

#include "server/database.h"

namespace tobu::server {
namespace {

// $1 -> ?1: the same statements serve both dialects.
std::string SqliteParameters(const std::string& sql) {
  std::string out = sql;
  for (size_t i = 0; i + 1 < out.size(); ++i) {
    if (out[i] == '$' && std::isdigit(static_cast<unsigned char>(out[i + 1]))) out[i] = '?';
  }
  return out;
}

class SqliteConnection final : public Connection {
 public:
  explicit SqliteConnection(const std::string& path) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
      const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw DatabaseError("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(db_, 10000);
    RunScript("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
  }

  ~SqliteConnection() override {
    for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
    sqlite3_close(db_);
  }

  std::vector<Row> Run(const std::string& sql, const std::vector<Value>& params) override {
    sqlite3_stmt* statement = Prepared(sql);
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    for (size_t i = 0; i < params.size(); ++i) Bind(statement, static_cast<int>(i + 1), params[i]);
    std::vector<Row> rows;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(statement)) == SQLITE_ROW) rows.push_back(ReadRow(statement));
    sqlite3_reset(statement);
    if (status != SQLITE_DONE) Fail();
    return rows;
  }

  void RunScript(const std::string& sql) override {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string message = error ? error : "unknown error";
      sqlite3_free(error);
      throw DatabaseError("sqlite: " + message);
    }
  }

  void BeginWrite() override { Run("BEGIN IMMEDIATE", {}); }
  void LockMigrations() override {}  // BEGIN IMMEDIATE around them is the lock
  bool IsPostgres() const override { return false; }

 private:
  [[noreturn]] void Fail() { throw DatabaseError(std::string("sqlite: ") + sqlite3_errmsg(db_)); }

  sqlite3_stmt* Prepared(const std::string& sql) {
    const auto found = statements_.find(sql);
    if (found != statements_.end()) return found->second;
    sqlite3_stmt* statement = nullptr;
    const std::string text = SqliteParameters(sql);
    if (sqlite3_prepare_v2(db_, text.c_str(), static_cast<int>(text.size()), &statement, nullptr) !=
        SQLITE_OK) {
      Fail();
    }
    statements_.emplace(sql, statement);
    return statement;
  }

  void Bind(sqlite3_stmt* statement, int index, const Value& value) {
    int status = SQLITE_OK;
    if (const auto* number = std::get_if<int64_t>(&value)) {
      status = sqlite3_bind_int64(statement, index, *number);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
      status =
          sqlite3_bind_text(statement, index, text->data(), static_cast<int>(text->size()), SQLITE_TRANSIENT);
    } else if (const auto* blob = std::get_if<Blob>(&value)) {
      status =
          sqlite3_bind_blob(statement, index, blob->data(), static_cast<int>(blob->size()), SQLITE_TRANSIENT);
    } else {
      status = sqlite3_bind_null(statement, index);
    }
    if (status != SQLITE_OK) Fail();
  }

  static Row ReadRow(sqlite3_stmt* statement) {
    Row row;
    const int columns = sqlite3_column_count(statement);
    for (int c = 0; c < columns; ++c) {
      switch (sqlite3_column_type(statement, c)) {
        case SQLITE_INTEGER:
          row.emplace_back(int64_t{sqlite3_column_int64(statement, c)});
          break;
        case SQLITE_BLOB: {
          const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(statement, c));
          row.emplace_back(Blob(data, data + sqlite3_column_bytes(statement, c)));
          break;
        }
        case SQLITE_NULL:
          row.emplace_back(std::monostate{});
          break;
        default: {
          const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
          row.emplace_back(std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, c))));
        }
      }
    }
    return row;
  }

  sqlite3* db_ = nullptr;
  std::unordered_map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace

std::unique_ptr<Connection> OpenSqlite(const std::string& path) {
  return std::make_unique<SqliteConnection>(path);
}

}  // namespace tobu::server
