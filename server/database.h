// The two stores behind one small interface: SQLite (one file, the default) and
// PostgreSQL (shared by several server processes). Every statement is prepared once per
// connection and reused; parameters are written $1, $2, ... in both dialects.
#pragma once
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace tobu::server {

using Blob = std::vector<uint8_t>;
using Value = std::variant<std::monostate, int64_t, std::string, Blob>;
using Row = std::vector<Value>;

// A failed statement or connection; the request that met it answers 500.
struct DatabaseError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Connection {
 public:
  virtual ~Connection() = default;
  // Runs one statement with `params` bound to $1, $2, ...; the rows it returns.
  virtual std::vector<Row> Run(const std::string& sql, const std::vector<Value>& params = {}) = 0;
  // Several statements without parameters (the migrations).
  virtual void RunScript(const std::string& sql) = 0;
  // Starts a transaction that takes the write lock at once (SQLite's BEGIN IMMEDIATE),
  // so two writers never deadlock upgrading their locks.
  virtual void BeginWrite() = 0;
  // Serialises the migrations of processes starting together on one database.
  virtual void LockMigrations() = 0;
  virtual bool IsPostgres() const = 0;
};

// "sqlite:PATH" or "postgresql://..." (a libpq connection URI).
std::unique_ptr<Connection> OpenConnection(const std::string& url);
std::unique_ptr<Connection> OpenSqlite(const std::string& path);
std::unique_ptr<Connection> OpenPostgres(const std::string& uri);

// Reads a column of a row as its type; DatabaseError when it is something else.
int64_t IntAt(const Row& row, size_t column);
const std::string& TextAt(const Row& row, size_t column);
const Blob& BlobAt(const Row& row, size_t column);
bool NullAt(const Row& row, size_t column);

// Commits on Commit(); rolls back when left any other way.
class WriteTransaction {
 public:
  explicit WriteTransaction(Connection& connection) : connection_(connection) { connection_.BeginWrite(); }
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;
  void Commit();

 private:
  Connection& connection_;
  bool done_ = false;
};

}  // namespace tobu::server
