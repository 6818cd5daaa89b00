#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tobu {

constexpr int MaxPlayers = 14;
constexpr size_t MaxPlayerNameLength = 8;
// A player's name is printable ASCII from '!' to 'z': no spaces, no { | } ~ and nothing
// beyond ASCII.
constexpr bool AcceptedPlayerNameChar(uint8_t ch) { return ch >= 33 && ch <= 122; }
// Plus says so under the field when a character is refused, or Return finds no name.
inline constexpr const char* PlayerNameHint = "A name takes only A-Z, a-z, 0-9 and signs, no spaces or { | } ~";
inline constexpr const char* EmptyNameHint = "Type a name first, then Return";
inline constexpr const char* TakenNameHint = "Another player has that name";
inline constexpr const char* RosterFileName = "Players.dat";

// The known players, entries 1..PlayerCount (index 0 unused), and the current one.
struct PlayerRoster {
  uint8_t PlayerCount = 0;
  std::array<std::string, MaxPlayers + 1> PlayerNames;
  std::string PlayerName;
};

// The index of the first player named `name`; 0 when no player is.
int FindPlayer(const PlayerRoster& roster, const std::string& name);
// Takes player `index` (1..PlayerCount) out; the players after it move up a place.
void RemovePlayer(PlayerRoster& roster, int index);

// Plus: the name field renaming a player (F4 on the player list).
struct PlayerRename {
  int Index = 0;     // the player renamed; 0 while the field names a new player
  std::string Name;  // as typed so far
};

// What Players.dat held: the names and the index of the player chosen last.
struct StoredRoster {
  PlayerRoster Roster;
  int32_t LastIndex = 0;
};

// The roster in Players.dat's bytes (parsed in memory, as the file layer's other readers).
// A damaged file yields the names that could be read, never garbage; nothing is refused.
StoredRoster ParseRoster(std::span<const uint8_t> bytes);
// The bytes WriteRoster stores: the names and `index` as the trailer.
std::vector<uint8_t> RosterBytes(const PlayerRoster& roster, int32_t index);

// Reads the roster; a missing file is an empty roster. A damaged file yields the names
// that could be read (at most 14, each cut to 8 characters), never garbage.
StoredRoster ReadRoster(const std::string& fileName);
// Replaces the file whole with the names and `index` as its trailer.
void WriteRoster(const std::string& fileName, const PlayerRoster& roster, int32_t index);

}  // namespace tobu
