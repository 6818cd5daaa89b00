#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tobu {

// The server's JSON answers as plain values. Times are stored times (minutes * 10000 +
// seconds * 100 + hundredths). Each parser returns nothing for a body of another shape.

// One line of a level's board.
struct OnlineTime {
  int32_t Rank = 0;
  std::string Player;
  int32_t Time = 0;
};

// GET /levels/ID/records?player=NAME: the top times and the player's own line.
struct OnlineBoard {
  std::vector<OnlineTime> Records;
  std::optional<OnlineTime> Player;
};

// One level of GET /levels, with its world record.
struct OnlineLevel {
  std::string Id;
  std::string Name;
  std::string Author;
  int64_t Plays = 0;
  std::optional<OnlineTime> Record;
};

// POST /records: the submitted run's time, and the player's best and rank after it.
struct SubmittedRecord {
  std::string Level;
  std::string Player;
  int32_t Time = 0;
  int32_t Best = 0;
  int32_t Rank = 0;
};

std::optional<OnlineBoard> ParseBoard(const std::vector<uint8_t>& body);
std::optional<std::vector<OnlineLevel>> ParseLevelList(const std::vector<uint8_t>& body);
std::optional<SubmittedRecord> ParseSubmittedRecord(const std::vector<uint8_t>& body);

// A level id as the server gives it: 8 hex digits, so it is safe in a path and a file name.
bool IsLevelId(const std::string& text);
// The file name a downloaded level gets in Levels: its online name when the editor could
// have typed it, else its id; with ".vel".
std::string LevelFileNameOf(const OnlineLevel& level);
// `text` percent-encoded but for letters, digits and -._~, for a path part or a query value.
std::string UrlEncoded(const std::string& text);

}  // namespace tobu
