#include "session/cards.h"

#include <string>

#include "editor/brushes.h"
#include "present/bitmap_text.h"
#include "present/plus_palette.h"
#include "present/plus_panel.h"
#include "present/sheets.h"
#include "session/help_text.h"

namespace tobu {
namespace {

constexpr int PanelMargin = 20;
constexpr int KeysColumn = 60;
constexpr int DoesColumn = 210;
constexpr int LineHeight = 13;

// A heading and its rows; returns the y below them.
int DrawSection(SoftwareDisplay& display, int y, const std::string& heading,
                const std::vector<HelpLine>& lines) {
  if (!heading.empty()) {
    display.DrawCanvasText(KeysColumn - 20, y, heading);
    y += LineHeight + 2;
  }
  for (const HelpLine& line : lines) {
    display.DrawCanvasText(KeysColumn, y, line.Keys);
    display.DrawCanvasText(DoesColumn, y, line.Does);
    y += LineHeight;
  }
  return y + 6;
}

// The brushes as the editor paints them, the current one outlined; returns the y below.
int DrawBrushes(SoftwareDisplay& display, int y, int current) {
  for (int brush = 1; brush <= BrushCount; ++brush) {
    const BrushRow& picture = *FindBrush(brush);
    const int left = BrushLeft(brush);
    display.DrawFrame(SheetNamed(picture.Sheet), left, y, 0);
    display.DrawCanvasText(left - 4, y + 44, std::to_string(brush) + " " + std::string(picture.Label));
    if (brush == current) display.OutlineRect(left - 6, y - 6, 52, 52, palette::White);
  }
  return y + 66;
}

}  // namespace

void DrawHelpCard(SoftwareDisplay& display, const Game& form) {
  const int width = ViewWidth - 2 * PanelMargin, height = ViewHeight - 2 * PanelMargin;
  if (form.Plus) {
    DrawPlusPanel(display, PanelMargin, PanelMargin, width, height);
  } else {
    // Darkened twice (to a quarter), so the screen beneath shows without fighting the text.
    for (int pass = 0; pass < 2; ++pass) display.ShadeRect(PanelMargin, PanelMargin, width, height);
  }
  ShowString(display, -1, 28, "Help");
  int y = 62;
  const std::string heading = std::string(HelpHeading(form.Mode)) + ":";
  const PlusScreenLines lines =
      form.Plus ? PlusScreenHelp(form.Mode) : PlusScreenLines{ScreenHelp(form.Mode), {}};
  if (form.Mode == GameMode::editor) {
    display.DrawCanvasText(KeysColumn - 20, y, heading);
    y = DrawBrushes(display, BrushTop, form.Editor.Brush);
    y = DrawSection(display, y, "", lines.Screen);
  } else {
    y = DrawSection(display, y, heading, lines.Screen);
  }
  if (!lines.Added.empty()) y = DrawSection(display, y, "With tobu plus:", lines.Added);
  y = DrawSection(display, y, "Every screen:", EverywhereHelp());
  // Plus leaves the gamepad off the editor's card, where it cannot paint and there is no room.
  if (!form.Plus) {
    DrawSection(display, y, "Gamepad:", GamepadHelp());
  } else if (form.Mode != GameMode::editor) {
    DrawSection(display, y, "Gamepad:", PlusGamepadHelp());
  }
}

void DrawOptionsHelpCard(SoftwareDisplay& display) {
  DrawPlusPanel(display, PanelMargin, PanelMargin, ViewWidth - 2 * PanelMargin, ViewHeight - 2 * PanelMargin);
  ShowString(display, -1, 28, "Help");
  int y = DrawSection(display, 62, "Options:", OptionsKeysHelp());
  y = DrawSection(display, y, "The rows:", OptionsRowsHelp());
  DrawSection(display, y, "Every screen:", EverywhereHelp());
}

// A band above the middle: the camera keeps the runner near the middle of the view.
void DrawPauseCard(SoftwareDisplay& display, bool plus) {
  if (plus) {
    DrawPlusPanel(display, 150, 100, ViewWidth - 300, 90);
  } else {
    display.ShadeRect(0, 100, ViewWidth, 90);
  }
  ShowString(display, -1, 120, "Paused");
  display.DrawCanvasText(250, 160, "Pause or P resumes");
}

// Off as on, the card is plus's panel: it shows only after F3, and a half-dark band
// over a menu's rows would not read.
void DrawPlusCard(SoftwareDisplay& display, bool plusOn) {
  DrawPlusPanel(display, 20, 100, ViewWidth - 40, 110);
  ShowString(display, -1, 120, plusOn ? "tobu plus: on" : "tobu plus: off");
  display.DrawCanvasText(
      40, 160,
      plusOn ? "Four looks for the levels, Next level on the results, R restarts, Escape asks first."
             : "The classic game, exactly as it always was.");
  display.DrawCanvasText(
      40, 180, "The runs, best times and replays are the same either way. F3 switches; any key goes on.");
}

void DrawGiveUpCard(SoftwareDisplay& display) {
  DrawPlusPanel(display, 140, 100, ViewWidth - 280, 120);
  ShowString(display, -1, 120, "Give up?");
  display.DrawCanvasText(180, 158, "Escape: give up");
  display.DrawCanvasText(180, 176, "R: start the level again");
  display.DrawCanvasText(180, 194, "Any other key: back to the run");
}

void DrawOnlineCard(SoftwareDisplay& display, const std::vector<std::string>& lines, const Picture* picture) {
  constexpr int OnlineLineHeight = 20;
  DrawPlusPanel(display, 60, 50, ViewWidth - 120, ViewHeight - 100);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i == 0) {
      ShowString(display, -1, 80, lines[0]);
    } else {
      display.DrawCanvasText(120, 100 + OnlineLineHeight * static_cast<int>(i), lines[i]);
    }
  }
  if (picture == nullptr) return;
  const int top = 100 + OnlineLineHeight * static_cast<int>(lines.size() + 1);
  const int left = (ViewWidth - picture->Width) / 2;
  display.OutlineRect(left - 1, top - 1, picture->Width + 2, picture->Height + 2, palette::White);
  display.DrawPicture(left, top, *picture);
}

}  // namespace tobu
