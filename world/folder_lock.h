#pragma once
#include <filesystem>

namespace tobu {

// What a game started on a folder another game holds says before it ends.
inline constexpr const char* AlreadyRunningMessage = "tobu is already running in this folder";

// An advisory lock (flock) on tobu.lock in the game's folder, beside Players.dat, held for
// the game's life, so that two games never write the same roster, levels and times. The
// kernel releases it however the process ends; a clean end also removes the file.
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Another process holds the folder. A folder where no lock file can be made or opened
  // (read-only, say) is not held by anyone: the game goes on there without the lock.
  bool Busy() const { return busy_; }

 private:
  int folder_ = -1;
  int file_ = -1;
  bool busy_ = false;
};

}  // namespace tobu
