#pragma once
#include <cstdint>

namespace tobu {

// Plus's medals on a shipped level, slowest first: a time earns every tier up to its own.
enum class Medal : uint8_t { None, Bronze, Silver, Gold };

// "Gold", "Silver", "Bronze"; empty for none.
constexpr const char* MedalName(Medal medal) {
  constexpr const char* Names[] = {"", "Bronze", "Silver", "Gold"};
  return Names[static_cast<uint8_t>(medal)];
}

}  // namespace tobu
