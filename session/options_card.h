#pragma once
#include <cstdint>

#include "present/software_display.h"
#include "settings/settings.h"

namespace tobu {

// The rows of the options card (plus, O in the menus), top to bottom.
enum OptionRow : int {
  OptionFullScreen,
  OptionScale,
  OptionSound,
  OptionMusic,
  OptionGhost,
  OptionPlus,
  OptionRows
};

// Left, Right or Return on `row` changes `values`: switches flip, the scale changes
// between fit and whole multiples, the volumes move by 10 (the sound's below 10 is off).
// True when a value changed.
bool ChangeOption(Settings& values, int row, uint16_t key);

// The row at frame row `y`, or -1 on none: a pointer there moves the card's pointer to it.
int OptionRowAt(int32_t y);

// The card over the whole view, on the plus menus' moving scene at `sceneTick` and their
// pane: "Options", one row per setting with its value, the menu pointer (frame
// `pointerFrame`) at row `row`, and the keys on the ground.
void DrawOptionsCard(SoftwareDisplay& display, const Settings& values, int row, int pointerFrame,
                     int64_t sceneTick);

}  // namespace tobu
