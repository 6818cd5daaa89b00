// The request bodies tobu-server parses, fed one fuzz input each; the result names the
// first broken rule, or is empty when all held (as fuzz/fuzz_bodies.h).
#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace tobu::server::fuzz {

// The bytes as an uploaded level: refused with FileError, or accepted with an 8-digit id,
// a stored part that is a prefix of the upload, loads as a level and uploads again as
// the same level with the same id.
std::string CheckLevelUploadBytes(std::span<const uint8_t> data);

// The bytes as a submitted replay: refused by ParseReplay, or played on a small level by
// the proof, which gives the same verdict twice and proves only a run that ends at the
// exit on its claimed tick.
std::string CheckSubmissionBytes(std::span<const uint8_t> data);

// The bytes as an Authorization header value and as names in a query: a token is
// 64 to 256 lower-case hex digits, names keep to their rules.
std::string CheckIdentityText(std::span<const uint8_t> data);

}  // namespace tobu::server::fuzz
