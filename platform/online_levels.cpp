#ifdef TOBU_HAVE_ONLINE
#include "platform/online_levels.h"

#include <algorithm>

#include "sim/keys.h"
#include "sim/clock.h"
#include "world/file_error.h"
#include "world/file_io.h"
#include "world/level_file.h"

namespace tobu {
namespace {

constexpr int Rows = 14;
constexpr const char* Title = "Online levels";

std::string LevelLine(const OnlineLevel& level) {
  const std::string record = level.Record
                                 ? "record " + level.Record->Player + " " + StoredTimeText(level.Record->Time)
                                 : "no record yet";
  return level.Name + "  by " + level.Author + "  " + record;
}

}  // namespace

OnlineLevels::OnlineLevels(Session& session, OnlineClient& client) : session_(session), client_(client) {}

void OnlineLevels::Open() {
  levels_.clear();
  cursor_ = 0;
  downloadTicket_ = 0;
  listTicket_ = client_.Get("/levels?order=newest");
  session_.ShowOnlineCard({Title, "Asking the server..."});
}

bool OnlineLevels::Key(uint16_t key) {
  if (levels_.empty()) return false;
  const int last = static_cast<int>(levels_.size()) - 1;
  if (key == VkUp || key == VkDown) {
    cursor_ = std::clamp(cursor_ + (key == VkDown ? 1 : -1), 0, last);
    Show();
    return true;
  }
  if (key != VkReturn) return false;
  downloading_ = levels_[cursor_];
  downloadTicket_ = client_.Get("/levels/" + downloading_.Id);
  Show("Downloading " + downloading_.Name + "...");
  return true;
}

void OnlineLevels::Take(const OnlineReply& reply) {
  if (reply.Ticket == downloadTicket_) return Save(reply);
  if (reply.Ticket != listTicket_) return;
  const auto levels = reply.Ok() ? ParseLevelList(reply.Body) : std::nullopt;
  if (!levels)
    return session_.ShowOnlineCard(
        {Title, reply.Ok() ? "The server's answer is not understood" : reply.Problem});
  levels_ = *levels;
  Show(levels_.empty() ? "No levels are shared yet" : "");
}

// The lines around the chosen level, and what happened last.
void OnlineLevels::Show(const std::string& message) {
  std::vector<std::string> lines{Title};
  const int top = std::max(0, cursor_ - (Rows - 1));
  for (int i = top; i < static_cast<int>(levels_.size()) && i < top + Rows; ++i)
    lines.push_back((i == cursor_ ? "> " : "   ") + LevelLine(levels_[i]));
  lines.push_back(message.empty() ? "Up and Down choose, Return downloads into Levels; any other key closes"
                                  : message);
  session_.ShowOnlineCard(std::move(lines));
}

void OnlineLevels::Save(const OnlineReply& reply) {
  if (!reply.Ok()) return Show(reply.Problem);
  Game& game = session_.TheGame();
  const std::string name = LevelFileNameOf(downloading_);
  const std::string path = (game.GameFolder / "Levels" / name).string();
  try {
    ParseLevel(reply.Body, name);  // only a level the game can read reaches the folder
    if (ReadFileIfPresent(path)) return Show("Levels/" + name + " is there already");
    ReplaceFile(path, reply.Body);
  } catch (const FileError& error) {
    return Show(error.what());
  }
  if (game.Mode == GameMode::SelectLevel)
    game.LevelFiles.Read();  // the list shows the working folder: Levels
  Show("Downloaded into Levels/" + name);
}

}  // namespace tobu
#endif
