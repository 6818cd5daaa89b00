#include "world/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "world/file_error.h"

namespace tobu {
namespace {

int64_t writeFailureAfter = -1;

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

std::string TemporaryNameFor(const std::string& name) {
  const std::filesystem::path path(name);
  std::filesystem::path dir = path.parent_path();
  if (dir.empty()) dir = ".";
  return (dir / ("." + path.filename().string() + ".XXXXXX")).string();
}

} // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& name) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw FileError::CannotOpen(name);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    throw FileError::CannotOpen(name);
  }
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
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

void ReplaceFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::string temporary = TemporaryNameFor(name);
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) throw FileError::CannotCreate(name);
  ::fchmod(fd, 0644);
  const bool written = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), name.c_str()) != 0) {
    ::unlink(temporary.c_str());
    throw FileError::CannotCreate(name);
  }
}

void SetWriteFailureAfterBytesForTesting(int64_t bytes) { writeFailureAfter = bytes; }

} // namespace tobu
