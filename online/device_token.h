#pragma once
#include <string>

namespace tobu {

// The file in the game's folder that keeps the device's identity for the server.
constexpr const char* TokenFileName = "online.token";

// The device's secret: 32 random bytes as 64 hex digits, read from `file`, or made and
// written there (atomically) when there is none. A file that holds no token is left as it
// is (it may be the only copy of an identity): FileError "<file> is damaged".
std::string DeviceToken(const std::string& file);

}  // namespace tobu
