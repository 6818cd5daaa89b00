// A shared level as the server keeps it: checked by the game's own reader, known by the
// CRC of its grid, objects and start, stored without its best-times table.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "world/world.h"

namespace tobu::server {

// The largest file a level can be: the grid, one object a cell, the start and a full
// best-times table. Larger uploads are refused before they are read.
constexpr size_t LargestLevelFile = 10213 + 9 * 10201 + 131;

struct SharedLevel {
  std::string Id;                  // the level CRC as 8 lower-case hex digits
  std::vector<uint8_t> LevelPart;  // the file's bytes before its best-times table
};

// Checks `bytes` as the game reads a level; FileError with the game's message otherwise.
SharedLevel CheckLevelUpload(std::span<const uint8_t> bytes);
// A level's stored bytes loaded into a world as for a run; FileError when damaged.
World LoadSharedLevel(std::span<const uint8_t> levelPart);

// The level name rules of the editor's Save prompt: 1 to 20 accepted characters.
bool AcceptedLevelName(const std::string& name);
// "0badcafe" for 0x0BADCAFE; and back, nothing unless exactly 8 lower-case hex digits.
std::string LevelId(uint32_t crc);
bool WellFormedLevelId(const std::string& id);

// The whole world drawn by the game's level picture, reduced 8 times, as PNG bytes.
std::vector<uint8_t> LevelPicturePng(const World& world);

}  // namespace tobu::server
