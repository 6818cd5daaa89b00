#include "session/options_card.h"

#include <algorithm>
#include <string>

#include "present/bitmap_text.h"
#include "present/meadow_scene.h"
#include "present/sheets.h"
#include "sim/keys.h"

namespace tobu {
namespace {

constexpr int LabelX = 120;
constexpr int ValueX = 380;
constexpr int FirstRowTop = 90;
constexpr int RowHeight = 34;
constexpr int NotesTop = 300;  // below the last row, inside the pane

const char* OnOff(bool on) { return on ? "on" : "off"; }

std::string ValueText(const Settings& values, int row) {
  switch (row) {
    case OptionFullScreen:
      return OnOff(values.FullScreen);
    case OptionScale:
      return values.Scale == FrameScale::Fit ? "fit" : "whole";
    case OptionSound:
      return values.Sound ? std::to_string(values.Volume) : "off";
    case OptionMusic:
      return values.Music == 0 ? "off" : std::to_string(values.Music);
    case OptionGhost:
      return OnOff(values.Ghost);
    case OptionPlus:
      return OnOff(values.Plus);
    default:
      return "";
  }
}

constexpr const char* Labels[OptionRows] = {"Full screen", "Scale", "Sound", "Music", "Ghost", "tobu plus"};

// The sound's volume one step up or down; below the lowest step the sound is off.
void StepSound(Settings& values, int step) {
  if (!values.Sound) {
    if (step > 0) values.Sound = true, values.Volume = std::max(values.Volume, 10);
    return;
  }
  if (step < 0 && values.Volume <= 10) {
    values.Sound = false;
    return;
  }
  values.Volume = std::clamp(values.Volume + step, 0, 100);
}

}  // namespace

bool ChangeOption(Settings& values, int row, uint16_t key) {
  if (key != VkLeft && key != VkRight && key != VkReturn) return false;
  const Settings before = values;
  const int step = key == VkLeft ? -10 : 10;
  switch (row) {
    case OptionFullScreen:
      values.FullScreen = !values.FullScreen;
      break;
    case OptionScale:
      values.Scale = values.Scale == FrameScale::Fit ? FrameScale::Integer : FrameScale::Fit;
      break;
    case OptionSound:
      StepSound(values, step);
      break;
    case OptionMusic:
      values.Music = std::clamp(values.Music + step, 0, 100);
      break;
    case OptionGhost:
      values.Ghost = !values.Ghost;
      break;
    case OptionPlus:
      values.Plus = !values.Plus;
      break;
    default:
      break;
  }
  return !(values == before);
}

int OptionRowAt(int32_t y) {
  const int top = FirstRowTop - 4;  // a row's band starts a little above its text
  if (y < top) return -1;
  const int row = (y - top) / RowHeight;
  return row < OptionRows ? row : -1;
}

void DrawOptionsCard(SoftwareDisplay& display, const Settings& values, int row, int pointerFrame,
                     int64_t sceneTick) {
  DrawMenuBackdrop(display, sceneTick);
  ShowString(display, -1, 40, "Options");
  for (int i = 0; i < OptionRows; ++i) {
    const int top = FirstRowTop + RowHeight * i;
    ShowString(display, LabelX, top, Labels[i]);
    ShowString(display, ValueX, top, ValueText(values, i));
  }
  display.DrawFrame(SheetHelmet, LabelX - 36, FirstRowTop + RowHeight * row - 10, pointerFrame);
  display.DrawCanvasText(100, NotesTop, "Every change is made at once and kept in tobu.ini.");
  display.DrawCanvasText(100, NotesTop + 20, "Scale: fit fills the window, whole keeps every pixel square.");
  display.DrawCanvasText(
      80, MenuHintsTop,
      "Up and Down choose    Left, Right or Return change    Escape or O closes    F1 help");
}

}  // namespace tobu
