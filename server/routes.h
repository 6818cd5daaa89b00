// The HTTP interface (docs/online.md): levels, records and the browser build.
#pragma once
#include <httplib.h>

#include "server/board_cache.h"
#include "server/database_pool.h"
#include "server/limits.h"
#include "server/options.h"

namespace tobu::server {

// What every request handler shares; nothing of it outlives the process but the database.
struct ServerState {
  explicit ServerState(const ServerOptions& options);
  ConnectionPool Pool;
  RateLimiter Writes;
  VerificationSlots Verifiers;
  BoardCache Boards;
};

// Puts the routes, the limits, the JSON error bodies and the request log on `http`.
void AddRoutes(httplib::Server& http, ServerState& state, const ServerOptions& options);

}  // namespace tobu::server
