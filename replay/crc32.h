#pragma once
#include <cstdint>
#include <span>

namespace tobu {

// CRC-32 as zlib and PNG compute it (reflected polynomial 0xEDB88320, initial and final
// complement). Written here because the web build has no zlib: Emscripten's comes as a
// port that downloads its sources at build time.
uint32_t Crc32(std::span<const uint8_t> bytes);

}  // namespace tobu
