#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tobu {

// What the player is shown when a request gets no answer: the server is down, refuses
// the connection, or is too slow.
constexpr const char* ServerUnreachableMessage = "The server cannot be reached";

// The answer to one request, matched to it by its ticket. Problem is empty for a 2xx
// answer; otherwise what to show: ServerUnreachableMessage, or the server's own error.
struct OnlineReply {
  uint64_t Ticket = 0;
  int Status = 0;  // the HTTP status; 0 when no answer came
  std::vector<uint8_t> Body;
  std::string Problem;
  bool Ok() const { return Problem.empty(); }
};

// The game's connection to a tobu-server. Requests run one after another on a thread of
// their own, never on the game's; the game collects their replies on its tick. Only a
// game with a server set ever makes one.
class OnlineClient {
 public:
  virtual ~OnlineClient() = default;
  // Queue a request for a path under the server's /api; each returns its ticket.
  virtual uint64_t Get(const std::string& path) = 0;
  // Sends `body` with the device's token (made on the first such request).
  virtual uint64_t Post(const std::string& path, std::vector<uint8_t> body) = 0;
  // The replies that have arrived since the last call, in the order they arrived.
  virtual std::vector<OnlineReply> TakeReplies() = 0;
  // Blocks until the reply to `ticket` arrives (for the command line), keeping the others.
  virtual OnlineReply Wait(uint64_t ticket) = 0;
};

// A client of the server at `serverUrl` (http:// or https://, with an optional path),
// keeping the device's token in `tokenFile` (an absolute name: the game changes folder).
std::unique_ptr<OnlineClient> ConnectToServer(const std::string& serverUrl, const std::string& tokenFile);

}  // namespace tobu
