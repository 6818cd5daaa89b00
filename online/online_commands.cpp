#include "online/online_commands.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "online/answers.h"
#include "replay/replay_file.h"
#include "sim/clock.h"
#include "world/file_error.h"
#include "world/file_io.h"
#include "world/level_file.h"

namespace tobu {
namespace {

constexpr size_t MostReplayBytes = 1 << 20;  // the server's cap

int Refuse(std::ostream& err, const std::string& why) {
  err << "tobu: " << why << '\n';
  return 1;
}

// The level's file name, by its online name when the newest levels list it.
std::string LevelFileName(OnlineClient& client, const std::string& id) {
  const OnlineReply reply = client.Wait(client.Get("/levels?order=newest"));
  const auto levels = reply.Ok() ? ParseLevelList(reply.Body) : std::nullopt;
  if (!levels) return id + ".vel";
  const auto level =
      std::find_if(levels->begin(), levels->end(), [&](const OnlineLevel& l) { return l.Id == id; });
  return level == levels->end() ? id + ".vel" : LevelFileNameOf(*level);
}

}  // namespace

int SubmitReplayFile(OnlineClient& client, const std::string& file, std::ostream& out, std::ostream& err) {
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadWholeFile(file, MostReplayBytes);
    ParseReplay(std::filesystem::path(file).filename().string(), bytes);  // a damaged file stays here
  } catch (const FileError& error) {
    return Refuse(err, error.what());
  }
  const OnlineReply reply = client.Wait(client.Post("/records", std::move(bytes)));
  if (!reply.Ok()) return Refuse(err, reply.Problem);
  const auto record = ParseSubmittedRecord(reply.Body);
  if (!record) return Refuse(err, "The server's answer is not understood");
  out << "Proven: " << record->Player << ' ' << StoredTimeText(record->Time) << " on level " << record->Level
      << "; best " << StoredTimeText(record->Best) << ", rank " << record->Rank << '\n';
  return 0;
}

int FetchLevel(OnlineClient& client, const std::string& id, const std::string& levelsFolder,
               std::ostream& out, std::ostream& err) {
  if (!IsLevelId(id)) return Refuse(err, "A level id is 8 hex digits: " + id);
  const OnlineReply reply = client.Wait(client.Get("/levels/" + id));
  if (!reply.Ok()) return Refuse(err, reply.Problem);
  const std::string name = LevelFileName(client, id);
  const std::string path = (std::filesystem::path(levelsFolder) / name).string();
  try {
    ParseLevel(reply.Body, name);  // only a level the game can read reaches the folder
    if (ReadFileIfPresent(path)) return Refuse(err, "Levels/" + name + " is there already");
    ReplaceFile(path, reply.Body);
  } catch (const FileError& error) {
    return Refuse(err, error.what());
  }
  out << "Fetched Levels/" << name << '\n';
  return 0;
}

}  // namespace tobu
