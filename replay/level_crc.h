#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace tobu {

// CRC-32 of a level file's grid, object count, objects and start as stored:
// every byte before the best-times table, so new times leave it unchanged. FileError
// "Level file <name> is damaged" when the bytes are too short for their own objects.
uint32_t LevelCrc(const std::string& name, std::span<const uint8_t> levelFileBytes);
// The same for the file on disk.
uint32_t LevelFileCrc(const std::string& fileName);

}  // namespace tobu
