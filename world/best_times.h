#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tobu {

constexpr int BestPlaces = 10;

// A level's ten best times, places 1..10 (index 0 unused); an empty name is a free place.
// A time is minutes * 10000 + seconds * 100 + hundredths.
struct BestTimes {
  std::array<std::string, BestPlaces + 1> BestNames;
  std::array<int32_t, BestPlaces + 1> BestTime{};
  friend bool operator==(const BestTimes&, const BestTimes&) = default;
};

} // namespace tobu
