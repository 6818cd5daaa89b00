// tobu-server: shared levels and world records proven by replaying them (docs/online.md).
#include <httplib.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <csignal>
#include <iostream>

#include "server/database.h"
#include "server/migrations.h"
#include "server/open_files.h"
#include "server/routes.h"

namespace {
httplib::Server* running = nullptr;
extern "C" void StopServer(int) {
  if (running) running->stop();
}
}  // namespace

int main(int argc, char** argv) {
  tobu::server::RaiseOpenFileLimit();
  int exitCode = 0;
  const std::optional<tobu::server::ServerOptions> options = tobu::server::ParseOptions(argc, argv, exitCode);
  if (!options) return exitCode;
  try {
    tobu::server::MigrateSchema(*tobu::server::OpenConnection(options->Database));
    tobu::server::ServerState state(*options);
    httplib::Server http;
    const size_t threads = static_cast<size_t>(options->Threads);
    http.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    tobu::server::AddRoutes(http, state, *options);
    // The library closes a kept-alive connection after 5 requests by default: a client
    // reading boards in a row would connect again every fifth read.
    http.set_keep_alive_max_count(100);
    // The library listens with a backlog of 5, which a burst of clients overflows: the
    // listening socket is kept to listen again with the system's longest queue. Its
    // accepted sockets inherit TCP_NODELAY: a response goes out in two writes, and Nagle's
    // wait for the client's delayed ACK would add 40 ms to every request.
    socket_t listening = -1;
    http.set_socket_options([&listening](socket_t socket) {
      httplib::default_socket_options(socket);
      const int on = 1;
      setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      listening = socket;
    });
    if (!http.bind_to_port(options->Host, options->Port) || ::listen(listening, SOMAXCONN) != 0) {
      std::cerr << "tobu-server: cannot listen on " << options->Host << ':' << options->Port << '\n';
      return 1;
    }
    running = &http;
    std::signal(SIGTERM, StopServer);
    std::signal(SIGINT, StopServer);
    std::cerr << "tobu-server: listening on http://" << options->Host << ':' << options->Port << "/\n";
    http.listen_after_bind();
  } catch (const std::exception& error) {
    std::cerr << "tobu-server: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
