// PostgreSQL through libpq: statements prepared by name on each connection; integers and
// text sent as text, blobs as binary; results read as text and typed by their column.
#include <libpq-fe.h>

#include <memory>
#include <unordered_map>

#include "server/database.h"

namespace tobu::server {
namespace {

// Column types of pg_type that come back as something other than text.
constexpr Oid ByteaType = 17;
constexpr Oid Int8Type = 20;
constexpr Oid Int2Type = 21;
constexpr Oid Int4Type = 23;

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  throw DatabaseError("postgresql: a bytea value that is not hex");
}

// bytea's text output: "\x" then two hex digits a byte.
Blob DecodeBytea(const char* text, int length) {
  if (length < 2 || text[0] != '\\' || text[1] != 'x' || length % 2 != 0) {
    throw DatabaseError("postgresql: unexpected bytea output");
  }
  Blob bytes;
  bytes.reserve(static_cast<size_t>(length / 2 - 1));
  for (int i = 2; i < length; i += 2)
    bytes.push_back(static_cast<uint8_t>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1])));
  return bytes;
}

class PostgresConnection final : public Connection {
 public:
  explicit PostgresConnection(const std::string& uri) : conn_(PQconnectdb(uri.c_str())) {
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
      const std::string message = conn_ ? PQerrorMessage(conn_) : "out of memory";
      PQfinish(conn_);
      throw DatabaseError("cannot connect to PostgreSQL: " + message);
    }
    RunScript("SET client_min_messages = warning");
  }
  ~PostgresConnection() override { PQfinish(conn_); }

  std::vector<Row> Run(const std::string& sql, const std::vector<Value>& params) override {
    Reconnect();
    const std::string& name = Prepared(sql, static_cast<int>(params.size()));
    std::vector<std::string> texts(params.size());
    std::vector<const char*> values(params.size(), nullptr);
    std::vector<int> lengths(params.size(), 0);
    std::vector<int> formats(params.size(), 0);
    for (size_t i = 0; i < params.size(); ++i) {
      if (const auto* number = std::get_if<int64_t>(&params[i])) {
        texts[i] = std::to_string(*number);
        values[i] = texts[i].c_str();
      } else if (const auto* text = std::get_if<std::string>(&params[i])) {
        values[i] = text->c_str();
      } else if (const auto* blob = std::get_if<Blob>(&params[i])) {
        values[i] = reinterpret_cast<const char*>(blob->data());
        lengths[i] = static_cast<int>(blob->size());
        formats[i] = 1;
      }
    }
    Result result(PQexecPrepared(conn_, name.c_str(), static_cast<int>(params.size()), values.data(),
                                 lengths.data(), formats.data(), 0),
                  &PQclear);
    Check(result.get());
    return ReadRows(result.get());
  }

  void RunScript(const std::string& sql) override {
    Result result(PQexec(conn_, sql.c_str()), &PQclear);
    Check(result.get());
  }

  void BeginWrite() override { Run("BEGIN", {}); }
  void LockMigrations() override { Run("SELECT pg_advisory_xact_lock(7101)", {}); }
  bool IsPostgres() const override { return true; }

 private:
  // A connection the server dropped is opened again, with its statements to prepare anew.
  void Reconnect() {
    if (PQstatus(conn_) == CONNECTION_OK) return;
    PQreset(conn_);
    statements_.clear();
    if (PQstatus(conn_) != CONNECTION_OK)
      throw DatabaseError(std::string("postgresql: ") + PQerrorMessage(conn_));
  }

  const std::string& Prepared(const std::string& sql, int paramCount) {
    const auto found = statements_.find(sql);
    if (found != statements_.end()) return found->second;
    std::string name = "s" + std::to_string(statements_.size());
    Result result(PQprepare(conn_, name.c_str(), sql.c_str(), paramCount, nullptr), &PQclear);
    Check(result.get());
    return statements_.emplace(sql, std::move(name)).first->second;
  }

  void Check(const PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
      throw DatabaseError(std::string("postgresql: ") + PQerrorMessage(conn_));
    }
  }

  static std::vector<Row> ReadRows(const PGresult* result) {
    std::vector<Row> rows;
    const int columns = PQnfields(result);
    for (int r = 0; r < PQntuples(result); ++r) {
      Row row;
      for (int c = 0; c < columns; ++c) {
        const char* text = PQgetvalue(result, r, c);
        const int length = PQgetlength(result, r, c);
        const Oid type = PQftype(result, c);
        if (PQgetisnull(result, r, c)) {
          row.emplace_back(std::monostate{});
        } else if (type == Int8Type || type == Int4Type || type == Int2Type) {
          row.emplace_back(int64_t{std::stoll(text)});
        } else if (type == ByteaType) {
          row.emplace_back(DecodeBytea(text, length));
        } else {
          row.emplace_back(std::string(text, static_cast<size_t>(length)));
        }
      }
      rows.push_back(std::move(row));
    }
    return rows;
  }

  PGconn* conn_;
  std::unordered_map<std::string, std::string> statements_;
};

}  // namespace

std::unique_ptr<Connection> OpenPostgres(const std::string& uri) {
  return std::make_unique<PostgresConnection>(uri);
}

}  // namespace tobu::server
