#include "server/options.h"

#include <charconv>
#include <iostream>
#include <string_view>

namespace tobu::server {
namespace {

constexpr std::string_view Usage =
    R"(usage: tobu-server --listen ADDRESS:PORT --database sqlite:PATH|postgresql://... [--web DIR]

Shares levels and keeps the world records of the levels it holds, each proven by
playing its replay through the game's run.

  --listen ADDRESS:PORT   where to accept requests (127.0.0.1:8080 by default)
  --database URL          sqlite:PATH (one file, created on first start) or a
                          PostgreSQL URI (postgresql://user@host/dbname)
  --web DIR               serves the browser build in DIR at /
  --threads N             request threads and database connections (32)
  --verifiers N           replays verified at once (one per core)
  --verify-queue N        submissions that may wait for a verifier before 503 (16)
  --writes-per-minute N   uploads and submissions an identity or address may make (30)
  --write-burst N         of which at once (30)
  --help                  this text
)";

template <typename Number>
bool ReadNumber(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size();
}

bool ReadListen(const std::string& text, ServerOptions& options) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  options.Host = text.substr(0, colon);
  return ReadNumber(std::string_view(text).substr(colon + 1), options.Port) && options.Port > 0 &&
         options.Port < 65536;
}

}  // namespace

std::optional<ServerOptions> ParseOptions(int argc, char** argv, int& exitCode) {
  ServerOptions options;
  exitCode = 2;
  for (int i = 1; i < argc; ++i) {
    const std::string_view flag = argv[i];
    if (flag == "--help") {
      std::cout << Usage;
      exitCode = 0;
      return {};
    }
    if (i + 1 >= argc) {
      std::cerr << "tobu-server: " << flag << " needs a value\n" << Usage;
      return {};
    }
    const std::string value = argv[++i];
    bool good = true;
    if (flag == "--listen") {
      good = ReadListen(value, options);
    } else if (flag == "--database") {
      options.Database = value;
    } else if (flag == "--web") {
      options.WebFolder = value;
    } else if (flag == "--threads") {
      good = ReadNumber(value, options.Threads) && options.Threads > 0;
    } else if (flag == "--verifiers") {
      good = ReadNumber(value, options.Verifiers) && options.Verifiers > 0;
    } else if (flag == "--verify-queue") {
      good = ReadNumber(value, options.VerifyQueue) && options.VerifyQueue >= 0;
    } else if (flag == "--writes-per-minute") {
      good = ReadNumber(value, options.WritesPerMinute) && options.WritesPerMinute > 0;
    } else if (flag == "--write-burst") {
      good = ReadNumber(value, options.WriteBurst) && options.WriteBurst >= 1;
    } else {
      std::cerr << "tobu-server: unknown option " << flag << '\n' << Usage;
      return {};
    }
    if (!good) {
      std::cerr << "tobu-server: bad value for " << flag << ": " << value << '\n';
      return {};
    }
  }
  if (options.Database.empty()) {
    std::cerr << "tobu-server: --database is required\n" << Usage;
    return {};
  }
  return options;
}

}  // namespace tobu::server
