#pragma once
#include <array>
#include <cstdint>

namespace tobu {

// An RGB565 pixel widened to 8 bits per channel (red, green, blue), each channel's top
// bits repeated into its low ones so that white stays 255 and black 0.
inline std::array<uint8_t, 3> WidenRgb565(uint16_t pixel) {
  const auto widen = [](uint32_t value, int bits) {
    return static_cast<uint8_t>((value << (8 - bits)) | (value >> (2 * bits - 8)));
  };
  return {widen(pixel >> 11, 5), widen((pixel >> 5) & 0x3Fu, 6), widen(pixel & 0x1Fu, 5)};
}

}  // namespace tobu
