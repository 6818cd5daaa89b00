#pragma once
#include <cstdint>
#include <string>

namespace tobu {

enum class MouseButton { Left, Right, Middle };

// The editor's tools; they outlive the editor (Brush is kept when it is left and entered again).
struct EditorState {
  uint8_t Brush = 1;  // 1 grass, 2 ground, 3 food, 4 killer, 5 exit
  bool LeftButtonDown = false;
  bool RightButtonDown = false;
  int32_t MouseX = 0;  // last pointer position in back-buffer pixels, stored in every mode
  int32_t MouseY = 0;
  bool SavePromptOpen = false;
  bool OpenPromptOpen = false;
  std::string InputText;  // the typed file name, without directory and extension

  bool PromptOpen() const { return SavePromptOpen || OpenPromptOpen; }
};

} // namespace tobu
