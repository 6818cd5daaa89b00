#pragma once
#ifdef TOBU_HAVE_ONLINE
#include <cstdint>
#include <string>
#include <vector>

#include "online/answers.h"
#include "online/online_client.h"
#include "session/session.h"

namespace tobu {

// Plus with a server: L in the level list opens the "Online levels" card, the newest
// shared levels with their authors and world records; Up and Down choose, Return
// downloads the chosen one into Levels (never over a file that is there).
class OnlineLevels {
 public:
  OnlineLevels(Session& session, OnlineClient& client);
  void Open();
  // The card's keys; false for a key that closes it.
  bool Key(uint16_t key);
  // A reply to one of its requests (others are not its own).
  void Take(const OnlineReply& reply);

 private:
  void Show(const std::string& message = "");
  void Save(const OnlineReply& reply);

  Session& session_;
  OnlineClient& client_;
  std::vector<OnlineLevel> levels_;
  int cursor_ = 0;
  uint64_t listTicket_ = 0;
  uint64_t downloadTicket_ = 0;
  OnlineLevel downloading_;
};

}  // namespace tobu
#endif
