// Players without passwords: a client makes a secret token once and sends it as
// "Authorization: Bearer TOKEN"; the server keeps only the token's SHA-256.
#pragma once
#include <optional>
#include <string>

namespace tobu::server {

// The token of an Authorization header: at least 32 bytes (64 hex digits), at most 128
// bytes, hex only; nothing when the header is anything else.
std::optional<std::string> BearerToken(const std::string& authorization);
// The SHA-256 of the token (lower-case hex of its text), the only form that is stored.
std::string TokenHash(const std::string& token);

// A player's name as the server takes it: 1 to 255 bytes (the longest a replay holds),
// no control characters.
bool AcceptedPlayerName(const std::string& name);

}  // namespace tobu::server
