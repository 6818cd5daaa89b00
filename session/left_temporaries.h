#pragma once
#include <filesystem>

namespace tobu {

// Removes what games killed in the middle of a write left in the game's folders (its own,
// Levels, Replays and Screenshots): the temporary files named after files the game writes
// there, as ReplaceFile names them, and nothing else. Only with the folder's lock held,
// so that no other game's write is under way.
void RemoveLeftTemporaries(const std::filesystem::path& gameFolder);

}  // namespace tobu
