#pragma once
#ifdef TOBU_HAVE_ONLINE
#include <cstdint>
#include <future>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "online/answers.h"
#include "online/online_client.h"
#include "present/picture.h"
#include "session/session.h"

namespace tobu {

// Plus with a server: L in the level list opens the "Online levels" card, the newest
// shared levels with their authors and world records and the chosen one's picture; Up
// and Down choose, Return downloads the chosen one into Levels (never over a file that
// is there). Pictures are asked for one at a time, the chosen level's first, and kept.
class OnlineLevels {
 public:
  OnlineLevels(Session& session, OnlineClient& client);
  void Open();
  // The card's keys; false for a key that closes it.
  bool Key(uint16_t key);
  // A reply to one of its requests (others are not its own).
  void Take(const OnlineReply& reply);
  // Before each tick: a picture read since, shown when the card is (`shown`).
  void Poll(bool shown);

 private:
  void Show(std::string message = "");
  void Save(const OnlineReply& reply);
  void AskForPicture();
  void KeepPicture(const OnlineReply& reply);

  Session& session_;
  OnlineClient& client_;
  std::vector<OnlineLevel> levels_;
  int cursor_ = 0;
  uint64_t listTicket_ = 0;
  uint64_t downloadTicket_ = 0;
  OnlineLevel downloading_;
  std::string message_;  // under the rows
  // The pictures by level id; none for one the server could not give (asked again at
  // the next opening).
  std::map<std::string, std::optional<Picture>> pictures_;
  uint64_t pictureTicket_ = 0;
  std::future<std::optional<Picture>> decoding_;  // of pictureId_'s, after its request
  std::string pictureId_;
};

}  // namespace tobu
#endif
