#pragma once
#ifdef TOBU_HAVE_ONLINE
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "events/game_events.h"
#include "online/online_client.h"
#include "platform/online_levels.h"
#include "platform/online_records.h"
#include "session/session.h"
#include "settings/settings_file.h"

namespace tobu {

// Plus with a server: B in the level list opens the highlighted level's online board (the
// top times and the player's rank); W on it downloads the world record's replay and
// watches it, G races it as the ghost. The list shows the levels' world records. A new personal best is
// offered for the online board once (Y or N, kept in tobu.ini as `submit`); after a yes each new best is
// sent. L opens the online levels. The requests go to the client's thread; Poll, on every tick, turns their
// replies into the card's lines, so a slow server never holds up a frame.
class OnlineBoards {
 public:
  OnlineBoards(Session& session, OnlineClient& client, SettingsStore& settings);
  // The session's hook: true when it took the key.
  bool Key(uint16_t key);
  void Poll();
  // After each tick, with its events: a finished run may be a new personal best.
  void AfterTick(const std::vector<GameEvent>& events);

 private:
  void AskForBoard();
  void AskForRecord(bool race);
  void ShowBoard(const OnlineReply& reply);
  void UseRecord(const OnlineReply& reply);
  void Answer(bool send);
  void SendBest();
  void ShowSubmitted(const OnlineReply& reply);

  Session& session_;
  OnlineClient& client_;
  SettingsStore& settings_;
  enum class Shown { Board, Offer, Levels };
  Shown shown_ = Shown::Board;  // what the open online card is
  OnlineLevels levels_;
  OnlineListRecords listRecords_;
  std::vector<uint8_t> newBest_;  // the replay of the new best (Replays/last.tbr)
  uint64_t submitTicket_ = 0;
  std::string levelFile_;  // the level of the open board
  std::string levelId_;
  std::optional<std::string> recordHolder_;  // the world record's player, once the board came
  uint64_t boardTicket_ = 0;
  uint64_t recordTicket_ = 0;
  bool race_ = false;  // the downloaded record is raced, not watched
};

}  // namespace tobu
#endif
