#ifdef TOBU_HAVE_ONLINE
#include "platform/online_boards.h"

#include <algorithm>
#include <cstdio>

#include "online/answers.h"
#include "replay/level_crc.h"
#include "replay/replay_file.h"
#include "session/overlay_keys.h"
#include "sim/clock.h"
#include "sim/keys.h"
#include "world/file_error.h"
#include "world/file_io.h"

namespace tobu {
namespace {

constexpr uint16_t VkB = 'B';
constexpr uint16_t VkW = 'W';
constexpr uint16_t VkG = 'G';
constexpr uint16_t VkL = 'L';
constexpr uint16_t VkY = 'Y';
constexpr uint16_t VkN = 'N';
constexpr size_t BoardLines = 10;

std::string TimeLine(const OnlineTime& time) {
  return std::to_string(time.Rank) + ". " + time.Player + "  " + StoredTimeText(time.Time);
}

// The player's first line in the level's table holds this time: a personal best.
bool PersonalBest(const BestTimes& times, const std::string& player, int32_t time) {
  for (int place = 1; place <= BestPlaces; ++place) {
    if (times.BestNames[place] == player) return times.BestTime[place] == time;
  }
  return false;
}

}  // namespace

OnlineBoards::OnlineBoards(Session& session, OnlineClient& client, SettingsStore& settings)
    : session_(session),
      client_(client),
      settings_(settings),
      levels_(session, client),
      listRecords_(session.TheGame(), client) {}

bool OnlineBoards::Key(uint16_t key) {
  if (session_.OpenCard() == Session::Card::Online) {
    switch (shown_) {
      case Shown::Levels:
        return levels_.Key(key);
      case Shown::Offer:
        shown_ = Shown::Board;
        if (key != VkY && key != VkN) return false;
        Answer(key == VkY);
        return true;
      case Shown::Board:
        if ((key != VkW && key != VkG) || !recordHolder_) return false;
        AskForRecord(key == VkG);
        return true;
    }
  }
  if (key == VkL) {
    shown_ = Shown::Levels;
    levels_.Open();
    return true;
  }
  if (key != VkB) return false;
  shown_ = Shown::Board;
  AskForBoard();
  return true;
}

void OnlineBoards::AskForBoard() {
  const Game& game = session_.TheGame();
  const int entry = game.ListTop + game.MenuCursor;
  if (entry < 0 || entry >= game.LevelFiles.Count()) return;
  levelFile_ = game.LevelFiles.Items[entry];
  recordHolder_.reset();
  recordTicket_ = 0;
  try {
    char id[9];
    std::snprintf(id, sizeof id, "%08x", LevelFileCrc((game.GameFolder / "Levels" / levelFile_).string()));
    levelId_ = id;
  } catch (const FileError& error) {
    session_.ShowOnlineCard({"Online board", error.what()});
    return;
  }
  boardTicket_ =
      client_.Get("/levels/" + levelId_ + "/records?player=" + UrlEncoded(game.Players.PlayerName));
  session_.ShowOnlineCard({"Online board", levelFile_, "Asking the server..."});
}

void OnlineBoards::AskForRecord(bool race) {
  race_ = race;
  recordTicket_ = client_.Get("/records/" + levelId_ + "/" + UrlEncoded(*recordHolder_));
  session_.ShowOnlineCard({"Online board", levelFile_, "Downloading the world record..."});
}

void OnlineBoards::Poll() {
  listRecords_.Poll();
  for (const OnlineReply& reply : client_.TakeReplies()) {
    if (listRecords_.Take(reply)) continue;
    // A reply to a board since closed or replaced is dropped.
    if (session_.OpenCard() != Session::Card::Online) continue;
    if (reply.Ticket == boardTicket_) ShowBoard(reply);
    if (reply.Ticket == recordTicket_) UseRecord(reply);
    if (reply.Ticket == submitTicket_) ShowSubmitted(reply);
    if (shown_ == Shown::Levels) levels_.Take(reply);
  }
  levels_.Poll(session_.OpenCard() == Session::Card::Online && shown_ == Shown::Levels);
}

void OnlineBoards::AfterTick(const std::vector<GameEvent>& events) {
  const Game& game = session_.TheGame();
  const bool ranked = std::find_if(events.begin(), events.end(), [](GameEvent e) {
                        return e == GameEvent::Best || e == GameEvent::TopTen;
                      }) != events.end();
  if (!game.Plus || !ranked || game.Mode != GameMode::GameMenu || settings_.Values.SubmitBests == false)
    return;
  try {
    const std::string file = (game.GameFolder / "Replays" / "last.tbr").string();
    std::vector<uint8_t> bytes = ReadWholeFile(file);
    const Replay run = ParseReplay("last.tbr", bytes);
    if (run.PlayerName != game.Players.PlayerName || !PersonalBest(game.Best, run.PlayerName, run.FinishTime))
      return;
    newBest_ = std::move(bytes);
  } catch (const FileError&) {
    return;  // the run's own file error was shown already
  }
  if (settings_.Values.SubmitBests) return SendBest();
  shown_ = Shown::Offer;
  session_.ShowOnlineCard({"New personal best", "Send it to the online board?",
                           "Y sends it and every new best after it; N sends none (kept in tobu.ini)"});
}

// The answer is asked for once: tobu.ini keeps it.
void OnlineBoards::Answer(bool send) {
  Settings changed = settings_.Values;
  changed.SubmitBests = send;
  try {
    UpdateSettings(settings_, changed);
  } catch (const FileError& error) {
    return session_.ShowOnlineCard({"New personal best", error.what()});
  }
  if (send) return SendBest();
  session_.CloseOnlineCard();
}

void OnlineBoards::SendBest() {
  submitTicket_ = client_.Post("/records", newBest_);
  session_.ShowOnlineCard({"New personal best", "Sending it to the server..."});
}

void OnlineBoards::ShowSubmitted(const OnlineReply& reply) {
  const auto record = reply.Ok() ? ParseSubmittedRecord(reply.Body) : std::nullopt;
  if (!record)
    return session_.ShowOnlineCard({"New personal best", reply.Ok() ? "Not understood" : reply.Problem});
  session_.ShowOnlineCard({"New personal best", "Proven on the server: " + StoredTimeText(record->Time),
                           "Your rank on the online board: " + std::to_string(record->Rank)});
}

void OnlineBoards::ShowBoard(const OnlineReply& reply) {
  std::vector<std::string> lines{"Online board", levelFile_};
  const auto board = reply.Ok() ? ParseBoard(reply.Body) : std::nullopt;
  if (!board) {
    lines.push_back(reply.Ok() ? "The server's answer is not understood" : reply.Problem);
    return session_.ShowOnlineCard(std::move(lines));
  }
  for (size_t i = 0; i < board->Records.size() && i < BoardLines; ++i)
    lines.push_back(TimeLine(board->Records[i]));
  if (board->Records.empty()) lines.push_back("No times yet");
  lines.push_back(board->Player ? "You: " + TimeLine(*board->Player) : "You have no time here yet");
  if (!board->Records.empty()) {
    recordHolder_ = board->Records.front().Player;
    lines.push_back("W watches the world record, G races it as the ghost; any other key closes");
  }
  session_.ShowOnlineCard(std::move(lines));
}

// The replay is kept in Replays/world-record.tbr, then watched as W's record is, or raced.
void OnlineBoards::UseRecord(const OnlineReply& reply) {
  if (!reply.Ok()) return session_.ShowOnlineCard({"Online board", levelFile_, reply.Problem});
  Game& game = session_.TheGame();
  const std::filesystem::path file = game.GameFolder / "Replays" / "world-record.tbr";
  try {
    Replay record = ParseReplay(file.filename().string(), reply.Body);
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    ReplaceFile(file.string(), reply.Body);
    session_.CloseOnlineCard();
    if (race_) return game.RaceWorldRecord(std::move(record));
    game.WatchWorldRecord(std::move(record));
  } catch (const FileError& error) {
    session_.ShowOnlineCard({"Online board", levelFile_, error.what()});
  }
}

}  // namespace tobu
#endif
