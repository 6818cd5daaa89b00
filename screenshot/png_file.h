#pragma once
#include <cstdint>
#include <vector>

#include "present/software_display.h"

namespace tobu {

// A 640 x 480 frame as the bytes of an 8-bit RGB PNG file.
std::vector<uint8_t> EncodePng(const FrameBuffer& frame);

}  // namespace tobu
