#include "world/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tobu {
namespace {

constexpr const char* LockFileName = "tobu.lock";

int OpenLockFile(int folder) {
  const int fd = ::openat(folder, LockFileName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd >= 0) return fd;
  return ::openat(folder, LockFileName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);  // left by a game before
}

// The lock file still has the name: the game that held it did not remove it in between.
bool StillNamed(int folder, int fd) {
  struct stat held {
  }, named{};
  return ::fstat(fd, &held) == 0 && ::fstatat(folder, LockFileName, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

FolderLock::FolderLock(const std::filesystem::path& folder) {
  folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) return;
  // A game ending between our open and our lock removes the file we locked; the lock
  // then belongs to the file now named so, which is opened and locked again.
  constexpr int MostAttempts = 100;
  for (int attempt = 0; attempt < MostAttempts; ++attempt) {
    const int fd = OpenLockFile(folder_);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      busy_ = errno == EWOULDBLOCK;
      ::close(fd);
      return;
    }
    if (StillNamed(folder_, fd)) {
      file_ = fd;
      return;
    }
    ::close(fd);
  }
}

// The file goes first, while it is still locked, so that no game can take a lock on a
// file about to be removed and believe it holds the folder.
FolderLock::~FolderLock() {
  if (file_ >= 0) {
    ::unlinkat(folder_, LockFileName, 0);
    ::close(file_);
  }
  if (folder_ >= 0) ::close(folder_);
}

}  // namespace tobu
