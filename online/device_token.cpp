#include "online/device_token.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "world/file_error.h"
#include "world/file_io.h"

namespace tobu {
namespace {

constexpr size_t TokenBytes = 32;
constexpr size_t MostTokenDigits = 256;  // the server's limit

bool IsToken(const std::string& text) {
  return text.size() >= 2 * TokenBytes && text.size() <= MostTokenDigits &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

std::string NewToken(const std::string& file) {
  std::array<uint8_t, TokenBytes> random{};
  if (getentropy(random.data(), random.size()) != 0) throw FileError::CannotCreate(file);
  std::string text;
  for (const uint8_t byte : random) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", byte);
    text += digits;
  }
  return text;
}

}  // namespace

std::string DeviceToken(const std::string& file) {
  const std::string shown = std::filesystem::path(file).filename().string();
  if (const auto bytes = ReadFileIfPresent(file)) {
    std::string text(bytes->begin(), bytes->end());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (!IsToken(text)) throw FileError(shown + " is damaged");
    return text;
  }
  const std::string token = NewToken(shown);
  const std::string line = token + "\n";
  ReplaceFile(file, {line.begin(), line.end()});
  std::error_code ignored;  // a secret: only its owner reads it, where the folder allows
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                               ignored);
  return token;
}

}  // namespace tobu
