#include "world/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "world/file_error.h"

namespace tobu {
namespace {

int64_t writeFailureAfter = -1;
bool ownerWriteBitsDecide = false;

// Writes all bytes, honouring the failure injected by tests.
bool WriteAll(int fd, const uint8_t* data, size_t size) {
  size_t limit = size;
  const bool injected = writeFailureAfter >= 0 && static_cast<size_t>(writeFailureAfter) < size;
  if (injected) limit = static_cast<size_t>(writeFailureAfter);
  size_t done = 0;
  while (done < limit) {
    const ssize_t n = ::write(fd, data + done, limit - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return !injected;
}

std::filesystem::path DirectoryOf(const std::filesystem::path& path) {
  const std::filesystem::path dir = path.parent_path();
  return dir.empty() ? std::filesystem::path(".") : dir;
}

constexpr size_t TemporarySuffix = 6;  // mkstemp's XXXXXX

std::string TemporaryNameFor(const std::filesystem::path& path) {
  return (DirectoryOf(path) / ("." + path.filename().string() + "." + std::string(TemporarySuffix, 'X')))
      .string();
}

// mkstemp fills its XXXXXX from these.
bool LetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The file a chain of symbolic links leads to (the path itself when it is no link, or
// when nothing is there yet); nothing for a loop or a link that cannot be read.
std::optional<std::filesystem::path> FinalTarget(std::filesystem::path path) {
  constexpr int MostLinks = 40;  // the kernel's own limit before ELOOP
  for (int hop = 0; hop <= MostLinks; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno == ENOENT) return path;
      return std::nullopt;
    }
    if (!S_ISLNK(info.st_mode)) return path;
    std::string target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<size_t>(length) >= target.size()) return std::nullopt;
    target.resize(static_cast<size_t>(length));
    const std::filesystem::path next(target);
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return std::nullopt;
}

bool MayWrite(const std::filesystem::path& path, const struct stat& info) {
  if (ownerWriteBitsDecide) return (info.st_mode & S_IWUSR) != 0;
  return ::access(path.c_str(), W_OK) == 0;
}

// The permission bits the new file gets: the old file's, or rw-r--r-- for a new one;
// nothing when the old file is not one this user may replace.
std::optional<mode_t> ModeForReplacing(const std::filesystem::path& target) {
  struct stat info {};
  if (ownerWriteBitsDecide) {
    struct stat dir {};
    if (::stat(DirectoryOf(target).c_str(), &dir) != 0 || !MayWrite(DirectoryOf(target), dir)) {
      return std::nullopt;
    }
  }
  if (::stat(target.c_str(), &info) != 0) {
    if (errno == ENOENT) return mode_t{0644};
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode) || !MayWrite(target, info)) return std::nullopt;
  return static_cast<mode_t>(info.st_mode & 07777);
}

// Opens a regular file for reading. Anything else (a FIFO, a device, a directory) is
// refused before it is opened, and the open itself cannot block: a FIFO put in the
// file's place meanwhile is seen by fstat and refused too. -1 with errno set on failure.
int OpenRegularFile(const std::string& name) {
  struct stat info {};
  if (::stat(name.c_str(), &info) != 0) return -1;
  if (!S_ISREG(info.st_mode)) {
    errno = EINVAL;
    return -1;
  }
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

// Reads to the end, or to one byte past `mostBytes`.
std::vector<uint8_t> ReadOpenFile(int fd, const std::string& name, size_t mostBytes) {
  const size_t limit = mostBytes == SIZE_MAX ? SIZE_MAX : mostBytes + 1;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  while (bytes.size() < limit) {
    const ssize_t n = ::read(fd, chunk, std::min(sizeof chunk, limit - bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      throw FileError::CannotOpen(name);
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  ::close(fd);
  return bytes;
}

// Where a replace failed: finding and opening the old file for writing (a link that
// leads nowhere, a file that is not a regular one or that this user may not write), or
// creating, writing and renaming the new one (a full disk, a folder that takes no file).
enum class ReplaceFailure { None, Opening, Writing };

ReplaceFailure Replace(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::optional<std::filesystem::path> target = FinalTarget(name);
  if (!target) return ReplaceFailure::Opening;
  const std::optional<mode_t> mode = ModeForReplacing(*target);
  if (!mode) return ReplaceFailure::Opening;
  std::string temporary = TemporaryNameFor(*target);
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return ReplaceFailure::Writing;
  const bool written =
      ::fchmod(fd, *mode) == 0 && WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), target->c_str()) != 0) {
    ::unlink(temporary.c_str());
    return ReplaceFailure::Writing;
  }
  return ReplaceFailure::None;
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& name, size_t mostBytes) {
  const int fd = OpenRegularFile(name);
  if (fd < 0) throw FileError::CannotOpen(name);
  return ReadOpenFile(fd, name, mostBytes);
}

std::optional<std::vector<uint8_t>> ReadFileIfPresent(const std::string& name) {
  const int fd = OpenRegularFile(name);
  if (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) return std::nullopt;
  if (fd < 0) throw FileError::CannotOpen(name);
  return ReadOpenFile(fd, name, SIZE_MAX);
}

void ReplaceFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  if (Replace(name, bytes) != ReplaceFailure::None) throw FileError::CannotCreate(name);
}

void RewriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  const ReplaceFailure failure = Replace(name, bytes);
  if (failure == ReplaceFailure::Opening) throw FileError::CannotOpen(name);
  if (failure == ReplaceFailure::Writing) throw FileError::CannotCreate(name);
}

std::optional<std::string> ReplacedByTemporary(const std::string& entry) {
  if (entry.size() < 2 + 1 + TemporarySuffix || entry.front() != '.') return std::nullopt;
  const size_t dot = entry.size() - TemporarySuffix - 1;
  if (entry[dot] != '.' ||
      !std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(dot) + 1, entry.end(), LetterOrDigit)) {
    return std::nullopt;
  }
  return entry.substr(1, dot - 1);
}

void SetWriteFailureAfterBytesForTesting(int64_t bytes) { writeFailureAfter = bytes; }

void SetOwnerWriteBitsDecideForTesting(bool decide) { ownerWriteBitsDecide = decide; }

}  // namespace tobu
