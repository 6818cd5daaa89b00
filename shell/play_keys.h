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

// Plus: in a run a press of the jump key counts as held until it has made a jump or
// TapTicks ticks have passed, so a tap just before a landing, or one whose down and up
// fall between two ticks, still jumps. Its up is held back and let go after a tick's
// step, where the record stores it: a classic replay of the record is the same run.
class JumpTap {
 public:
  static constexpr int TapTicks = 10;
  // The jump key went down in a run (`wasDown`: a repeat, no new press). True when its
  // up was held back: the key stays down and this down is no news to the game.
  bool Press(bool wasDown);
  // The jump key went up in a run: true when the up is held back.
  bool HoldUp() { return waitingUp_ = pressed_; }
  // After a tick's step: true when the up held back is due now. `stepped`: the run moved
  // in this tick; `inRun`: still a plus run (a run's end lets the up go at once).
  bool UpDue(bool stepped, bool jumped, bool inRun);

 private:
  bool pressed_ = false;  // the last press has neither jumped nor run out of ticks
  bool waitingUp_ = false;
  int ticks_ = 0;  // run ticks since that press
};

}  // namespace tobu
