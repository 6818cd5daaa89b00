#include "session/title_card.h"

#include <string>

#include "present/bitmap_text.h"
#include "present/meadow_scene.h"
#include "present/sheets.h"

namespace tobu {
namespace {

constexpr char Name[] = "tobu";
constexpr int LetterScale = 6;
constexpr int NameTop = 50;
constexpr int GroundTop = 400;

void DrawName(SoftwareDisplay& display) {
  const int advance = SheetCatalogue[SheetFont].FrameWidth * LetterScale;
  const int left = ViewWidth / 2 - advance * static_cast<int>(sizeof Name - 1) / 2;
  for (size_t i = 0; i + 1 < sizeof Name; ++i) {
    display.DrawFrameScaled(SheetFont, left + static_cast<int>(i) * advance, NameTop, Name[i] - '!',
                            LetterScale);
  }
  ShowString(display, -1, NameTop + 21 * LetterScale + 10, "plus");
}

// "Press any key" at twice the font's size on a dark band, steady, so no one waits for it.
void DrawPrompt(SoftwareDisplay& display) {
  constexpr char Prompt[] = "Press any key";
  constexpr int Scale = 2, Top = 262;
  display.BlendRect(0, Top - 10, ViewWidth, 21 * Scale + 20, 0, 140);
  int pen = ViewWidth / 2 - Scale * static_cast<int>(StringAdvance(Prompt)) / 2;
  for (const char c : std::string(Prompt)) {
    if (c != ' ') display.DrawFrameScaled(SheetFont, pen, Top, c - '!', Scale);
    pen += Scale * static_cast<int>(StringAdvance(std::string(1, c)));
  }
}

}  // namespace

void DrawTitleCard(SoftwareDisplay& display, int64_t tick) {
  display.ClearSurface(0);
  DrawMeadowScene(display, tick, GroundTop);
  DrawName(display);
  DrawPrompt(display);
  display.DrawCanvasText(ViewWidth - 90, ViewHeight - 18, std::string("version ") + GameVersion);
}

}  // namespace tobu
