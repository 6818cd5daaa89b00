#ifdef TOBU_HAVE_ONLINE
#include "platform/online_levels.h"

#include <algorithm>
#include <chrono>

#include "online/level_picture.h"
#include "sim/clock.h"
#include "sim/keys.h"
#include "world/file_error.h"
#include "world/file_io.h"
#include "world/level_file.h"

namespace tobu {
namespace {

constexpr int Rows = 8;           // the picture goes under them
constexpr int PictureShrink = 3;  // the server's 505 x 392 pictures become 168 x 130
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
  pictureTicket_ = 0;  // a reply to a request of the last opening is dropped
  std::erase_if(pictures_, [](const auto& picture) { return !picture.second; });
  listTicket_ = client_.Get("/levels?order=newest");
  session_.ShowOnlineCard({Title, "Asking the server..."});
}

bool OnlineLevels::Key(uint16_t key) {
  if (levels_.empty()) return false;
  const int last = static_cast<int>(levels_.size()) - 1;
  if (key == VkUp || key == VkDown) {
    cursor_ = std::clamp(cursor_ + (key == VkDown ? 1 : -1), 0, last);
    AskForPicture();
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
  if (reply.Ticket == pictureTicket_) return KeepPicture(reply);
  if (reply.Ticket != listTicket_) return;
  const auto levels = reply.Ok() ? ParseLevelList(reply.Body) : std::nullopt;
  if (!levels)
    return session_.ShowOnlineCard(
        {Title, reply.Ok() ? "The server's answer is not understood" : reply.Problem});
  levels_ = *levels;
  AskForPicture();
  Show(levels_.empty() ? "No levels are shared yet" : "");
}

void OnlineLevels::AskForPicture() {
  if (pictureTicket_ != 0 || decoding_.valid() || levels_.empty() || pictures_.contains(levels_[cursor_].Id))
    return;
  pictureId_ = levels_[cursor_].Id;
  pictureTicket_ = client_.Get("/levels/" + pictureId_ + "/picture");
}

// A picture is read off the game's thread: it takes a few milliseconds, most of a tick.
void OnlineLevels::KeepPicture(const OnlineReply& reply) {
  pictureTicket_ = 0;
  if (reply.Ok()) {
    decoding_ = std::async(std::launch::async,
                           [body = reply.Body] { return DecodeLevelPicture(body, PictureShrink); });
    return;
  }
  pictures_[pictureId_] = std::nullopt;
  AskForPicture();
  Show(message_);
}

// A picture read is kept, and the chosen level's is asked for when the cursor has moved on.
void OnlineLevels::Poll(bool shown) {
  if (!decoding_.valid() || decoding_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  pictures_[pictureId_] = decoding_.get();
  AskForPicture();
  if (shown) Show(message_);
}

// The lines around the chosen level, what happened last, and the level's picture.
void OnlineLevels::Show(std::string message) {
  message_ = std::move(message);
  std::vector<std::string> lines{Title};
  const int top = std::max(0, cursor_ - (Rows - 1));
  for (int i = top; i < static_cast<int>(levels_.size()) && i < top + Rows; ++i)
    lines.push_back((i == cursor_ ? "> " : "   ") + LevelLine(levels_[i]));
  lines.push_back(message_.empty() ? "Up and Down choose, Return downloads into Levels; any other key closes"
                                   : message_);
  const auto picture = levels_.empty() ? pictures_.end() : pictures_.find(levels_[cursor_].Id);
  session_.ShowOnlineCard(std::move(lines), picture != pictures_.end() ? picture->second : std::nullopt);
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
