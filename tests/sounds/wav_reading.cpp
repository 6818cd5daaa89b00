#include "wav_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tobu::testing {
namespace {

uint32_t Le(std::span<const unsigned char> bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<size_t>(i)];
  return value;
}

std::string Tag(std::span<const unsigned char> bytes, size_t at) {
  return std::string(reinterpret_cast<const char*>(bytes.data() + at), 4);
}

}  // namespace

MonoSound ReadMonoWav(std::span<const unsigned char> bytes, const std::string& name) {
  SCOPED_TRACE(name);
  MonoSound sound;
  if (bytes.size() < 44) {
    ADD_FAILURE() << "shorter than a WAV header: " << bytes.size() << " bytes";
    return sound;
  }
  EXPECT_EQ(Tag(bytes, 0), "RIFF");
  EXPECT_EQ(Le(bytes, 4, 4), bytes.size() - 8);
  EXPECT_EQ(Tag(bytes, 8), "WAVE");
  EXPECT_EQ(Tag(bytes, 12), "fmt ");
  EXPECT_EQ(Le(bytes, 16, 4), 16u);
  EXPECT_EQ(Le(bytes, 20, 2), 1u);  // PCM
  EXPECT_EQ(Le(bytes, 22, 2), 1u);  // mono
  EXPECT_EQ(Le(bytes, 24, 4), 44100u);
  EXPECT_EQ(Le(bytes, 28, 4), 88200u);
  EXPECT_EQ(Le(bytes, 32, 2), 2u);
  EXPECT_EQ(Le(bytes, 34, 2), 16u);
  EXPECT_EQ(Tag(bytes, 36), "data");
  const uint32_t dataBytes = Le(bytes, 40, 4);
  if (::testing::Test::HasFailure() || dataBytes != bytes.size() - 44 || dataBytes % 2 != 0) {
    ADD_FAILURE() << "not the one format, or a data size of " << dataBytes << " in " << bytes.size()
                  << " bytes";
    return sound;
  }
  for (size_t at = 44; at < bytes.size(); at += 2)
    sound.Samples.push_back(static_cast<int16_t>(Le(bytes, at, 2)));
  return sound;
}

double PeakDbfs(const std::vector<int16_t>& samples) {
  int peak = 0;
  for (const int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return 20.0 * std::log10(std::max(peak, 1) / 32768.0);
}

double CrossingsPerSecond(const std::vector<int16_t>& samples, size_t from, size_t to) {
  int crossings = 0;
  for (size_t i = from + 1; i < to && i < samples.size(); ++i) {
    if ((samples[i - 1] < 0) != (samples[i] < 0)) ++crossings;
  }
  return crossings * 44100.0 / static_cast<double>(to - from);
}

}  // namespace tobu::testing
