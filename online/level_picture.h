#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "present/picture.h"

namespace tobu {

// The server's picture of a level (a PNG of its whole world), each `shrink` x `shrink`
// block of pixels averaged into one. Nothing for a body that is no PNG, is damaged, or
// is larger than any level's picture (MostPictureSide pixels a side).
std::optional<Picture> DecodeLevelPicture(const std::vector<uint8_t>& png, int shrink);

constexpr int MostPictureSide = 2048;

}  // namespace tobu
