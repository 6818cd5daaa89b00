#pragma once
#include <cstdint>
#include <optional>

namespace tobu {

// Plus: in a run Up and W are Space, A is Left and D is Right for everything after them
// (the run, its record, the ghost), so a run played with them is recorded, byte for byte,
// as the same run played with the arrows and Space. Keys of one action held together are
// one key: down with the first, up with the last.
class PlayKeys {
 public:
  // The key the game handles for `key` going down or up (itself when it stands for
  // nothing), or none while another key of its action holds that action down.
  // `standIn`: a plus run, where Up, W, A and D stand for their actions.
  std::optional<uint16_t> Translate(uint16_t key, bool down, bool standIn);

 private:
  uint8_t held_ = 0;  // a bit per key of the table, down as its action
};

}  // namespace tobu
