#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tobu::testing {

// A 16-bit mono PCM WAV file at 44,100 Hz, the only kind the game carries.
struct MonoSound {
  std::vector<int16_t> Samples;
  double Seconds() const { return static_cast<double>(Samples.size()) / 44100.0; }
};

// Parses the fields one by one; fails the current test (and returns no samples) for
// anything but the one format.
MonoSound ReadMonoWav(std::span<const unsigned char> bytes, const std::string& name);

double PeakDbfs(const std::vector<int16_t>& samples);
// Sign changes per second over samples [from, to): twice the pitch of a plain tone.
double CrossingsPerSecond(const std::vector<int16_t>& samples, size_t from, size_t to);

}  // namespace tobu::testing
