#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "synth.h"

namespace synth {

// A 16-bit mono PCM WAV file at SampleRate, little-endian, field by field.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace synth
