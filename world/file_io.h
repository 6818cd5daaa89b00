#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tobu {

// The whole file; FileError "Cannot open file <name>" when it cannot be read
// (a missing file, a directory, no permission).
std::vector<uint8_t> ReadWholeFile(const std::string& name);

// Replaces the file whole: the bytes go to a temporary file in the same directory,
// which is flushed and renamed over the old one, so a failure at any point leaves
// the old file as it was. FileError "Cannot create file <name>" on failure.
void ReplaceFile(const std::string& name, const std::vector<uint8_t>& bytes);

// Tests may make writers fail after this many bytes, to prove an interrupted save
// leaves the old file intact; negative means never.
void SetWriteFailureAfterBytesForTesting(int64_t bytes);

} // namespace tobu
