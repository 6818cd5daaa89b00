#pragma once
#include <algorithm>
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

// Plus: in a run a press of the jump key that the run has not yet jumped on stays good
// for TapTicks ticks, so a tap just before a landing, or one whose down and up fall
// between two ticks, still jumps. When the key is up again and the next step could jump,
// the game presses the key for that one step through its ordinary path: the record holds
// the press the run felt, so the classic game replays the same run; a run that never
// needed it records nothing new.
class JumpTap {
 public:
  static constexpr int TapTicks = 10;
  void Press() { ticksLeft_ = TapTicks; }
  // Before a step: the tap is still good and the key is up.
  bool Pending(bool keyDown) const { return ticksLeft_ > 0 && !keyDown; }
  // After a step of the run: a jump uses the tap up.
  void Stepped(bool jumped) { ticksLeft_ = jumped ? 0 : std::max(ticksLeft_ - 1, 0); }
  void Forget() { ticksLeft_ = 0; }

 private:
  int ticksLeft_ = 0;
};

}  // namespace tobu
