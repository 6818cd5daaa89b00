#pragma once
#include <string>
#include <utility>

namespace tobu {

// Plus: a line shown for a moment after a choice, so that none passes in silence
// ("Saved NAME" in the editor, "No record run for this level yet" in the level list).
struct ShortNotice {
  std::string Text;
  int TicksLeft = 0;

  void Show(std::string text, int ticks) {
    Text = std::move(text);
    TicksLeft = ticks;
  }
  bool Shown() const { return TicksLeft > 0; }
  void Age() {
    if (TicksLeft > 0) --TicksLeft;
  }
};

}  // namespace tobu
