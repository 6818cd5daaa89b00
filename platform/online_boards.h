#pragma once
#ifdef TOBU_HAVE_ONLINE
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "online/online_client.h"
#include "session/session.h"

namespace tobu {

// Plus with a server: O in the level list opens the highlighted level's online board (the
// top times and the player's rank), and W on it downloads the world record's replay and
// watches it. The requests go to the client's thread; Poll, on every tick, turns their
// replies into the card's lines, so a slow server never holds up a frame.
class OnlineBoards {
 public:
  OnlineBoards(Session& session, OnlineClient& client);
  // The session's hook: true when it took the key.
  bool Key(uint16_t key);
  void Poll();

 private:
  void AskForBoard();
  void AskForRecord();
  void ShowBoard(const OnlineReply& reply);
  void WatchRecord(const OnlineReply& reply);

  Session& session_;
  OnlineClient& client_;
  std::string levelFile_;  // the level of the open board
  std::string levelId_;
  std::optional<std::string> recordHolder_;  // the world record's player, once the board came
  uint64_t boardTicket_ = 0;
  uint64_t recordTicket_ = 0;
};

}  // namespace tobu
#endif
