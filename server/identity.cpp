#include "server/identity.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>

#include "replay/replay_file.h"

namespace tobu::server {

std::optional<std::string> BearerToken(const std::string& authorization) {
  const std::string scheme = "Bearer ";
  if (!authorization.starts_with(scheme)) return {};
  std::string token = authorization.substr(scheme.size());
  constexpr size_t shortest = 64;
  constexpr size_t longest = 256;
  if (token.size() < shortest || token.size() > longest || token.size() % 2 != 0) return {};
  for (char& c : token) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return {};
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return token;
}

std::string TokenHash(const std::string& token) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(token.data(), token.size(), digest, &length, EVP_sha256(), nullptr);
  static constexpr char hex[] = "0123456789abcdef";
  std::string text;
  for (unsigned int i = 0; i < length; ++i) {
    text.push_back(hex[digest[i] >> 4]);
    text.push_back(hex[digest[i] & 15]);
  }
  return text;
}

bool AcceptedPlayerName(const std::string& name) {
  return !name.empty() && name.size() <= LongestReplayPlayer &&
         std::none_of(name.begin(), name.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
}

}  // namespace tobu::server
