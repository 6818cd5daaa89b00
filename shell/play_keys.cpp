#include "shell/play_keys.h"

#include <iterator>

#include "sim/keys.h"

namespace tobu {
namespace {

struct ActionKey {
  uint16_t Key;
  uint16_t Action;
};

// An action's own key first; the others stand in for it only in a plus run.
constexpr ActionKey ActionKeys[] = {
    {VkSpace, VkSpace}, {VkUp, VkSpace}, {'W', VkSpace}, {VkLeft, VkLeft},
    {'A', VkLeft},      {VkRight, VkRight}, {'D', VkRight},
};

uint8_t Bit(size_t index) { return static_cast<uint8_t>(1u << index); }

}  // namespace

std::optional<uint16_t> PlayKeys::Translate(uint16_t key, bool down, bool standIn) {
  for (size_t i = 0; i < std::size(ActionKeys); ++i) {
    const ActionKey& entry = ActionKeys[i];
    if (entry.Key != key) continue;
    const bool own = entry.Key == entry.Action;
    // A release follows its press: a stand-in pressed in a run ends as its action.
    if (!own && (down ? !standIn : (held_ & Bit(i)) == 0)) return key;
    held_ = down ? held_ | Bit(i) : held_ & ~Bit(i);
    uint8_t others = 0;
    for (size_t j = 0; j < std::size(ActionKeys); ++j) {
      if (j != i && ActionKeys[j].Action == entry.Action) others |= held_ & Bit(j);
    }
    // A repeat of the same key still reaches the game, as it always did.
    return others != 0 ? std::nullopt : std::optional<uint16_t>(entry.Action);
  }
  return key;
}

}  // namespace tobu
