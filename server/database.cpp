#include "server/database.h"

namespace tobu::server {

std::unique_ptr<Connection> OpenConnection(const std::string& url) {
  const std::string sqlite = "sqlite:";
  if (url.starts_with(sqlite)) return OpenSqlite(url.substr(sqlite.size()));
  if (url.starts_with("postgresql://") || url.starts_with("postgres://")) return OpenPostgres(url);
  throw DatabaseError("--database must be sqlite:PATH or postgresql://...");
}

namespace {
template <typename T>
const T& At(const Row& row, size_t column) {
  if (column >= row.size() || !std::holds_alternative<T>(row[column])) {
    throw DatabaseError("unexpected column type in a result");
  }
  return std::get<T>(row[column]);
}
}  // namespace

int64_t IntAt(const Row& row, size_t column) { return At<int64_t>(row, column); }
const std::string& TextAt(const Row& row, size_t column) { return At<std::string>(row, column); }
const Blob& BlobAt(const Row& row, size_t column) { return At<Blob>(row, column); }
bool NullAt(const Row& row, size_t column) {
  return column < row.size() && std::holds_alternative<std::monostate>(row[column]);
}

WriteTransaction::~WriteTransaction() {
  if (done_) return;
  try {
    connection_.Run("ROLLBACK");
  } catch (const DatabaseError&) {
    // The connection is gone; its transaction went with it.
  }
}

void WriteTransaction::Commit() {
  connection_.Run("COMMIT");
  done_ = true;
}

}  // namespace tobu::server
