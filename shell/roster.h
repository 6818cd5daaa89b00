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
inline constexpr const char* RosterFileName = "Players.dat";

// The known players, entries 1..PlayerCount (index 0 unused), and the current one.
struct PlayerRoster {
  uint8_t PlayerCount = 0;
  std::array<std::string, MaxPlayers + 1> PlayerNames;
  std::string PlayerName;
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
