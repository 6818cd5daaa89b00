#pragma once
#include <vector>

#include "shell/game_mode.h"

namespace tobu {

// One row of the help card: the keys and what they do.
struct HelpLine {
  const char* Keys;
  const char* Does;
};

// The card's heading for a screen ("Main menu", "A run", ...).
const char* HelpHeading(GameMode mode);
// The keys of one screen, in the order the card lists them.
const std::vector<HelpLine>& ScreenHelp(GameMode mode);
// The keys that work on every screen, and the gamepad's buttons.
const std::vector<HelpLine>& EverywhereHelp();
const std::vector<HelpLine>& GamepadHelp();
// The gamepad in words a new player knows (plus).
const std::vector<HelpLine>& PlusGamepadHelp();
// A screen's keys under plus: its own lines, each with plus's line of the same keys in
// its place (so the card never says what plus does otherwise), then what plus adds.
struct PlusScreenLines {
  std::vector<HelpLine> Screen;
  std::vector<HelpLine> Added;
};
PlusScreenLines PlusScreenHelp(GameMode mode);
// The options card's keys, and what each of its rows sets (plus, F1 on the card).
const std::vector<HelpLine>& OptionsKeysHelp();
const std::vector<HelpLine>& OptionsRowsHelp();

}  // namespace tobu
