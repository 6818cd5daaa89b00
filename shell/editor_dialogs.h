#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shell/short_notice.h"

namespace tobu {

// Plus: the editor's toolbar covers the view from this row down.
constexpr int EditorToolbarTop = 428;

// Plus in the editor: what waits on the questions asked before work could be lost (the
// questions themselves are the game's question cards), and the short notice after a save
// or an open. Classic asks nothing.
struct EditorDialogs {
  // What a "Save changes?" put off: it follows a save, or a "no".
  enum class Then { None, Leave, OpenPrompt, Quit };
  static constexpr int NoticeTicks = 150;  // 1.5 s

  Then After = Then::None;
  std::string SaveName;  // the name the save under way writes
  bool ProblemsAccepted = false;
  bool ReplaceAccepted = false;
  ShortNotice Notice;  // "Saved NAME", "Opened NAME"
  // Why the last save or open from the dialog failed ("Cannot open file ./abc.vel"):
  // shown in the dialog until the name changes or the dialog closes.
  std::string Failure;
  // The level files when the prompt opened (or Tab read them), for the dialog's list.
  std::vector<std::string> LevelFiles;
  // The list's first row shown, as far as it keeps the picked name in view.
  int ListTop = 0;
  // The name clicked last and when (the scene's tick), so that a second click opens it.
  std::string ClickedName;
  int64_t ClickedTick = 0;
};

}  // namespace tobu
