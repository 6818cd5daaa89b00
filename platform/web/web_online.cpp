#include "platform/web/web_online.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdio>

#include "editor/editor.h"
#include "online/device_token.h"
#include "platform/web/web_game.h"
#include "platform/web/web_page.h"
#include "replay/level_crc.h"
#include "world/file_error.h"
#include "world/file_io.h"
#include "world/level_file.h"

namespace tobu::web_online {
namespace {

std::string Hex(uint32_t crc) {
  char id[9];
  std::snprintf(id, sizeof id, "%08x", crc);
  return id;
}

}  // namespace

std::optional<ShownLevel> LevelShown(const Game& game) {
  if (game.Mode == GameMode::editor) {
    return ShownLevel{Hex(LevelCrc("editor", LevelBytes(game.Level))), game.Editor.LevelName, true};
  }
  int entry = game.LevelIndex;
  if (game.Mode == GameMode::SelectLevel) {
    entry = game.ListTop + game.MenuCursor;
  } else if (game.Mode != GameMode::game && game.Mode != GameMode::GameMenu &&
             game.Mode != GameMode::TopTen) {
    return {};
  }
  if (game.PlayTest.Active || entry < 0 || entry >= game.LevelFiles.Count()) return {};
  const std::string& file = game.LevelFiles.Items[static_cast<size_t>(entry)];
  try {
    return ShownLevel{Hex(LevelFileCrc((game.GameFolder / "Levels" / file).string())), file, false};
  } catch (const FileError&) {
    return {};
  }
}

std::string DownloadFileName(const std::string& id, const std::string& name) {
  const bool typeable = !name.empty() && name.size() <= MaxFileNameLength &&
                        std::all_of(name.begin(), name.end(), [](char c) { return AcceptedNameChar(c); });
  return (typeable ? name : id) + ".vel";
}

std::string SaveSharedLevel(const std::string& levelsFolder, const std::string& file,
                            const std::vector<uint8_t>& bytes) {
  ParseLevel(bytes, file);
  const std::string path = levelsFolder + "/" + file;
  if (ReadFileIfPresent(path)) return "Levels/" + file + " is there already";
  ReplaceFile(path, bytes);
  return "Downloaded into Levels/" + file;
}

}  // namespace tobu::web_online

namespace {

// The answers the page reads with UTF8ToString; each call replaces the last.
std::string answer;
std::vector<uint8_t> editorLevel;

// The page's in and out files: strings and bytes cross through the page's file system.
constexpr const char* DownloadFile = "/tmp/online-level.vel";
constexpr const char* DownloadNames = "/tmp/online-level.txt";  // "ID NAME"

}  // namespace

// "ID\tNAME\tPLAYER\tE" (E 1 in the editor) for the level shown, "" when none.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tobu_online_level() {
  const tobu::Game& game = tobu::TheWebGame()->TheGame();
  const auto shown = tobu::web_online::LevelShown(game);
  answer = shown ? shown->Id + "\t" + shown->Name + "\t" + game.Players.PlayerName + "\t" +
                       (shown->InEditor ? "1" : "0")
                 : "";
  return answer.c_str();
}

// The editor's level as its file's bytes (at tobu_editor_level_size bytes), or null.
extern "C" EMSCRIPTEN_KEEPALIVE const uint8_t* tobu_editor_level() {
  const tobu::Game& game = tobu::TheWebGame()->TheGame();
  if (game.Mode != tobu::GameMode::editor) return nullptr;
  editorLevel = tobu::LevelBytes(game.Level);
  return editorLevel.data();
}
extern "C" EMSCRIPTEN_KEEPALIVE int tobu_editor_level_size() { return static_cast<int>(editorLevel.size()); }

// The device's identity for the server (online.token in the saved folder, made on first
// use as on the desktop); "" with the message shown when the file is damaged.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tobu_online_token() {
  try {
    answer = tobu::DeviceToken((tobu::TheWebGame()->TheGame().GameFolder / tobu::TokenFileName).string());
  } catch (const tobu::FileError& error) {
    tobu::page::ShowMessage(error.what());
    answer.clear();
  }
  tobu::page::SaveFilesIfChanged();
  return answer.c_str();
}

// Saves the level the page downloaded (its bytes and "ID NAME" in /tmp) into Levels/;
// the message for the player.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tobu_save_online_level() {
  try {
    const std::vector<uint8_t> names = tobu::ReadWholeFile(DownloadNames, 256);
    const std::string line(names.begin(), names.end());
    const size_t space = line.find(' ');
    const std::string file = tobu::web_online::DownloadFileName(
        line.substr(0, space), space == std::string::npos ? "" : line.substr(space + 1));
    const std::string folder = (tobu::TheWebGame()->TheGame().GameFolder / "Levels").string();
    answer = tobu::web_online::SaveSharedLevel(folder, file, tobu::ReadWholeFile(DownloadFile));
  } catch (const tobu::FileError& error) {
    answer = error.what();
  }
  tobu::page::SaveFilesIfChanged();
  return answer.c_str();
}

// Plays the replay at `Replays/world-record.tbr` as W plays a level's record, from the
// level list only; 0 when the level list is not shown.
extern "C" EMSCRIPTEN_KEEPALIVE int tobu_watch_world_record() {
  tobu::WebGame& web = *tobu::TheWebGame();
  return web.WatchReplay((web.TheGame().GameFolder / "Replays" / "world-record.tbr").string()) ? 1 : 0;
}
