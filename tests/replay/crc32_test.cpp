#include "replay/crc32.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace tobu {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// The published check values of the zlib/PNG CRC-32, so records written by earlier
// builds (which used zlib) keep their sums.
TEST(Crc32, MatchesThePublishedCheckValues) {
  struct Case {
    std::string_view Text;
    uint32_t Crc;
  };
  const Case cases[] = {
      {"", 0x00000000u},
      {"a", 0xE8B7BE43u},
      {"123456789", 0xCBF43926u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
  };
  for (const Case& c : cases) EXPECT_EQ(Crc32(Bytes(c.Text)), c.Crc) << c.Text;
}

TEST(Crc32, EveryByteValueCountsAtEveryPlace) {
  std::vector<uint8_t> bytes(64, 0);
  const uint32_t zeros = Crc32(bytes);
  for (size_t place = 0; place < bytes.size(); place += 21) {
    for (int value = 1; value < 256; ++value) {
      bytes[place] = static_cast<uint8_t>(value);
      EXPECT_NE(Crc32(bytes), zeros) << place << " " << value;
    }
    bytes[place] = 0;
  }
}

}  // namespace
}  // namespace tobu
