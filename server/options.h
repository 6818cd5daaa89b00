#pragma once
#include <optional>
#include <string>

namespace tobu::server {

struct ServerOptions {
  std::string Host = "127.0.0.1";
  int Port = 8080;
  std::string Database;
  std::string WebFolder;        // the browser build, served at / when given
  int Threads = 32;             // request threads, each with its own database connection
  int Verifiers = 0;            // verifications at once; 0: one per core
  int VerifyQueue = 16;         // submissions waiting for a verifier before 503
  double WritesPerMinute = 30;  // uploads and submissions per identity and per address
  double WriteBurst = 30;
};

// The command line; nothing and a message on stderr when it is wrong or --help was asked.
std::optional<ServerOptions> ParseOptions(int argc, char** argv, int& exitCode);

}  // namespace tobu::server
