#ifdef TOBU_HAVE_ONLINE
#include "platform/online_boards.h"

#include <cstdio>

#include "online/answers.h"
#include "replay/level_crc.h"
#include "session/overlay_keys.h"
#include "sim/keys.h"
#include "sim/run.h"
#include "world/file_error.h"
#include "world/file_io.h"

namespace tobu {
namespace {

constexpr uint16_t VkO = 'O';
constexpr uint16_t VkW = 'W';
constexpr size_t BoardLines = 10;

std::string TimeLine(const OnlineTime& time) {
  return std::to_string(time.Rank) + ". " + time.Player + "  " + StoredTimeText(time.Time);
}

}  // namespace

OnlineBoards::OnlineBoards(Session& session, OnlineClient& client) : session_(session), client_(client) {}

bool OnlineBoards::Key(uint16_t key) {
  if (session_.OpenCard() == Session::Card::Online) {
    if (key != VkW || !recordHolder_) return false;
    AskForRecord();
    return true;
  }
  if (key != VkO) return false;
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

void OnlineBoards::AskForRecord() {
  recordTicket_ = client_.Get("/records/" + levelId_ + "/" + UrlEncoded(*recordHolder_));
  session_.ShowOnlineCard({"Online board", levelFile_, "Downloading the world record..."});
}

void OnlineBoards::Poll() {
  for (const OnlineReply& reply : client_.TakeReplies()) {
    // A reply to a board since closed or replaced is dropped.
    if (session_.OpenCard() != Session::Card::Online) continue;
    if (reply.Ticket == boardTicket_) ShowBoard(reply);
    if (reply.Ticket == recordTicket_) WatchRecord(reply);
  }
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
    lines.push_back("W watches the world record; any other key closes");
  }
  session_.ShowOnlineCard(std::move(lines));
}

// The replay goes to Replays/world-record.tbr, then plays as W's record does.
void OnlineBoards::WatchRecord(const OnlineReply& reply) {
  if (!reply.Ok()) return session_.ShowOnlineCard({"Online board", levelFile_, reply.Problem});
  Game& game = session_.TheGame();
  const std::filesystem::path file = game.GameFolder / "Replays" / "world-record.tbr";
  try {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    ReplaceFile(file.string(), reply.Body);
    session_.CloseOnlineCard();
    game.WatchReplay(file.string());
  } catch (const FileError& error) {
    session_.ShowOnlineCard({"Online board", levelFile_, error.what()});
  }
}

}  // namespace tobu
#endif
