// Every query the server makes, in one place, the same SQL for SQLite and PostgreSQL.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "server/database.h"

namespace tobu::server {

// Claims `name` for the token's hash if nobody has it; true when the token owns it.
bool ClaimName(Connection& db, const std::string& name, const std::string& tokenHash, int64_t now);

struct NewLevel {
  std::string Id;
  std::string Name;
  std::string Author;
  Blob LevelPart;
  Blob Picture;
};
// Stores the level unless one with its id is there; true when it was added.
bool AddLevel(Connection& db, const NewLevel& level, int64_t now);

struct LevelSummary {
  std::string Id;
  std::string Name;
  std::string Author;
  int64_t Uploaded = 0;  // microseconds since 1970
  int64_t Plays = 0;     // verified submissions
  std::optional<int64_t> RecordTime;
  std::string RecordPlayer;
};
enum class LevelOrder { Newest, MostPlayed };
// At most `limit` levels, newest or most played first, of one author when one is given.
std::vector<LevelSummary> ListLevels(Connection& db, LevelOrder order, const std::string& author,
                                     int64_t limit);
std::optional<Blob> LevelFile(Connection& db, const std::string& id);
// The level's verified plays (its board's version: AddRecord changes both at once), or
// nothing when there is no such level.
std::optional<int64_t> LevelPlays(Connection& db, const std::string& id);
std::optional<Blob> LevelPicture(Connection& db, const std::string& id);

struct Standing {
  int64_t Rank = 0;
  std::string Player;
  int64_t Time = 0;
  int64_t Ticks = 0;
};
// A verified run: counts one play and keeps it as the player's best when it is better
// than the one stored. The player's best and rank after it.
Standing AddRecord(Connection& db, const std::string& level, const std::string& player, int64_t time,
                   int64_t ticks, const Blob& replay, int64_t now);
// The level's board: best time first, earlier submissions before later ones on a tie.
std::vector<Standing> TopRecords(Connection& db, const std::string& level, int64_t limit);
std::optional<Standing> PlayerStanding(Connection& db, const std::string& level, const std::string& player);
std::optional<Blob> RecordReplay(Connection& db, const std::string& level, const std::string& player);

}  // namespace tobu::server
