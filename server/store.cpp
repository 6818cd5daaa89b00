#include "server/store.h"

namespace tobu::server {
namespace {

std::optional<Blob> OneBlob(const std::vector<Row>& rows) {
  if (rows.empty()) return {};
  return BlobAt(rows[0], 0);
}

// The places before a player's best: better times, or the same time submitted earlier
// (or at the same microsecond, a name sorting first).
const std::string RankQuery = R"(
SELECT COUNT(*) + 1 FROM records r, records me
WHERE me.level = $1 AND me.player = $2 AND r.level = $1
  AND (r.time < me.time OR (r.time = me.time AND (r.submitted < me.submitted
       OR (r.submitted = me.submitted AND r.player < me.player)))))";

}  // namespace

bool ClaimName(Connection& db, const std::string& name, const std::string& tokenHash, int64_t now) {
  db.Run("INSERT INTO players (name, token_hash, created) VALUES ($1, $2, $3) ON CONFLICT (name) DO NOTHING",
         {name, tokenHash, now});
  const std::vector<Row> rows = db.Run("SELECT token_hash FROM players WHERE name = $1", {name});
  return !rows.empty() && TextAt(rows[0], 0) == tokenHash;
}

bool AddLevel(Connection& db, const NewLevel& level, int64_t now) {
  const std::vector<Row> rows = db.Run(
      "INSERT INTO levels (id, name, author, uploaded, plays, body, picture) VALUES ($1, $2, $3, $4, 0, $5, "
      "$6) "
      "ON CONFLICT (id) DO NOTHING RETURNING id",
      {level.Id, level.Name, level.Author, now, level.LevelPart, level.Picture});
  return !rows.empty();
}

std::vector<LevelSummary> ListLevels(Connection& db, LevelOrder order, const std::string& author,
                                     int64_t limit) {
  const std::string columns = R"(
SELECT l.id, l.name, l.author, l.uploaded, l.plays, b.time, b.player FROM levels l
LEFT JOIN records b ON b.level = l.id AND b.player = (
  SELECT player FROM records WHERE level = l.id ORDER BY time, submitted, player LIMIT 1))";
  const std::string orderBy = order == LevelOrder::Newest ? " ORDER BY l.uploaded DESC, l.id LIMIT $1"
                                                          : " ORDER BY l.plays DESC, l.id LIMIT $1";
  const std::vector<Row> rows = author.empty()
                                    ? db.Run(columns + orderBy, {limit})
                                    : db.Run(columns + " WHERE l.author = $2" + orderBy, {limit, author});
  std::vector<LevelSummary> levels;
  for (const Row& row : rows) {
    LevelSummary level{TextAt(row, 0), TextAt(row, 1), TextAt(row, 2), IntAt(row, 3), IntAt(row, 4), {}, {}};
    if (!NullAt(row, 5)) {
      level.RecordTime = IntAt(row, 5);
      level.RecordPlayer = TextAt(row, 6);
    }
    levels.push_back(std::move(level));
  }
  return levels;
}

std::optional<Blob> LevelFile(Connection& db, const std::string& id) {
  return OneBlob(db.Run("SELECT body FROM levels WHERE id = $1", {id}));
}

std::optional<int64_t> LevelPlays(Connection& db, const std::string& id) {
  const std::vector<Row> rows = db.Run("SELECT plays FROM levels WHERE id = $1", {id});
  if (rows.empty()) return {};
  return IntAt(rows[0], 0);
}

std::optional<Blob> LevelPicture(Connection& db, const std::string& id) {
  return OneBlob(db.Run("SELECT picture FROM levels WHERE id = $1", {id}));
}

Standing AddRecord(Connection& db, const std::string& level, const std::string& player, int64_t time,
                   int64_t ticks, const Blob& replay, int64_t now) {
  WriteTransaction transaction(db);
  db.Run(R"(
INSERT INTO records (level, player, time, ticks, submitted, replay) VALUES ($1, $2, $3, $4, $5, $6)
ON CONFLICT (level, player) DO UPDATE SET time = excluded.time, ticks = excluded.ticks,
  submitted = excluded.submitted, replay = excluded.replay
WHERE excluded.time < records.time)",
         {level, player, time, ticks, now, replay});
  db.Run("UPDATE levels SET plays = plays + 1 WHERE id = $1", {level});
  const std::optional<Standing> standing = PlayerStanding(db, level, player);
  transaction.Commit();
  return standing.value();
}

std::vector<Standing> TopRecords(Connection& db, const std::string& level, int64_t limit) {
  const std::vector<Row> rows = db.Run(
      "SELECT player, time, ticks FROM records WHERE level = $1 ORDER BY time, submitted, player LIMIT $2",
      {level, limit});
  std::vector<Standing> board;
  for (const Row& row : rows) {
    board.push_back({static_cast<int64_t>(board.size()) + 1, TextAt(row, 0), IntAt(row, 1), IntAt(row, 2)});
  }
  return board;
}

std::optional<Standing> PlayerStanding(Connection& db, const std::string& level, const std::string& player) {
  const std::vector<Row> best =
      db.Run("SELECT time, ticks FROM records WHERE level = $1 AND player = $2", {level, player});
  if (best.empty()) return {};
  const std::vector<Row> rank = db.Run(RankQuery, {level, player});
  return Standing{IntAt(rank.at(0), 0), player, IntAt(best[0], 0), IntAt(best[0], 1)};
}

std::optional<Blob> RecordReplay(Connection& db, const std::string& level, const std::string& player) {
  return OneBlob(db.Run("SELECT replay FROM records WHERE level = $1 AND player = $2", {level, player}));
}

}  // namespace tobu::server
