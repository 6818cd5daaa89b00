#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tobu {

// The whole file; FileError "Cannot open file <name>" when it cannot be read (a missing
// file, no permission, anything but a regular file: a directory, a FIFO, a device, none
// of which is ever waited on). A file longer than `mostBytes` is read only to one byte
// past it, enough for its reader to refuse it.
std::vector<uint8_t> ReadWholeFile(const std::string& name, size_t mostBytes = SIZE_MAX);

// The whole file, or nothing when there is no such file (a dangling link counts as none);
// FileError "Cannot open file <name>" for every other failure (a link loop, a directory,
// a FIFO).
std::optional<std::vector<uint8_t>> ReadFileIfPresent(const std::string& name);

// Replaces the file whole: the bytes go to a temporary file in the same directory,
// which is flushed and renamed over the old one, so a failure at any point leaves
// the old file as it was. A symbolic link stays a link: the file it leads to is
// replaced, in that file's directory. The old file's permission bits are kept (a new
// file gets rw-r--r--), and a file this user may not write is refused, as an
// overwrite in place would be. FileError "Cannot create file <name>" on failure.
void ReplaceFile(const std::string& name, const std::vector<uint8_t>& bytes);

// The name of the file `entry` was to replace when it is one of ReplaceFile's temporary
// files (".NAME.XXXXXX", six letters or digits), as a process killed before its rename
// leaves it; nothing for any other name.
std::optional<std::string> ReplacedByTemporary(const std::string& entry);

// ReplaceFile for a writer that changes a file in place, which opens the old file
// before it writes: FileError "Cannot open file <name>" when the old file cannot be
// opened for writing (missing, not a regular file, not this user's to write), "Cannot
// create file <name>" when the writing fails (a full disk).
void RewriteFile(const std::string& name, const std::vector<uint8_t>& bytes);

// Tests may make writers fail after this many bytes, to prove an interrupted save
// leaves the old file intact; negative means never.
void SetWriteFailureAfterBytesForTesting(int64_t bytes);

// Root may write anything, so tests running as root can have the owner's write bits of
// the file and its directory decide instead, as they do for an ordinary user.
void SetOwnerWriteBitsDecideForTesting(bool decide);

}  // namespace tobu
