#include "session/corner_notice.h"

#include <utility>

#include "present/plus_panel.h"
#include "shell/editor_dialogs.h"

namespace tobu {

void CornerNotice::Show(std::string text) {
  text_ = std::move(text);
  ticksLeft_ = Ticks;
}

bool CornerNotice::Age() {
  if (ticksLeft_ == 0) return false;
  return --ticksLeft_ == 0;
}

void CornerNotice::Draw(Display& display, GameMode mode) const {
  constexpr int Margin = 10, Padding = 12, Height = 26;
  const int width = CanvasAdvance * static_cast<int>(text_.size()) + 2 * Padding;
  const int bottom = mode == GameMode::editor ? EditorToolbarTop : ViewHeight;
  const int left = ViewWidth - Margin - width, top = bottom - Margin - Height;
  DrawPlusPanel(display, left, top, width, Height);
  display.DrawCanvasText(left + Padding, top + 7, text_);
}

}  // namespace tobu
