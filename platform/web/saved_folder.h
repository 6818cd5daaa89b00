#pragma once
#include <filesystem>

namespace tobu {

// The player's folder on the page (kept in IndexedDB) gains the shipped levels it does
// not have yet; the player's own copies are never overwritten. Returns false when the
// folder cannot be prepared (the game then starts without levels).
bool AddShippedLevels(const std::filesystem::path& shipped, const std::filesystem::path& folder);

}  // namespace tobu
