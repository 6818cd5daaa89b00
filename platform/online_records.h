#pragma once
#ifdef TOBU_HAVE_ONLINE
#include <cstdint>

#include "online/online_client.h"
#include "shell/game.h"

namespace tobu {

// Plus with a server: the level list shows the world record of each of its levels that
// is on the server. Each opening of the list asks once for the most played hundred (the
// levels with records come first: each proven record is a play); until the answer comes
// the list shows the last ones, and a server that cannot be reached leaves none.
class OnlineListRecords {
 public:
  OnlineListRecords(Game& game, OnlineClient& client);
  // Before each tick: asks when the list has just opened.
  void Poll();
  // True when the reply was to its request (and is used up).
  bool Take(const OnlineReply& reply);

 private:
  Game& game_;
  OnlineClient& client_;
  bool listShown_ = false;
  uint64_t ticket_ = 0;
};

}  // namespace tobu
#endif
