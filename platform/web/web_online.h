#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/game.h"

namespace tobu {
class WebGame;
// The page's one game (web_main.cpp).
WebGame* TheWebGame();
}  // namespace tobu

// What the page's online panel (web_online.js) asks of the game when the page is served
// by tobu-server: the level shown, the editor's level to upload, the device's identity,
// a shared level saved into Levels/. Nothing here runs on a tick.
namespace tobu::web_online {

struct ShownLevel {
  std::string Id;    // the level CRC, 8 hex digits
  std::string Name;  // the level file, or the editor's level name
  bool InEditor = false;
};
// The level highlighted in the level list, being played or ranked, or in the editor;
// nothing on the other screens or when its file cannot be read.
std::optional<ShownLevel> LevelShown(const Game& game);

// The level file a download named `name` (with id `id`) is saved as: its online name when
// the editor's Save prompt could type it, else its id.
std::string DownloadFileName(const std::string& id, const std::string& name);
// Checks `bytes` with the game's level reader and writes them to Levels/`file` unless a
// file of that name is there. The message for the player; FileError when unwritable.
std::string SaveSharedLevel(const std::string& levelsFolder, const std::string& file,
                            const std::vector<uint8_t>& bytes);

}  // namespace tobu::web_online
