#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "editor/brushes.h"
#include "present/software_display.h"
#include "shell/game.h"

namespace tobu {

// The cards the session draws over the kept frame in the back buffer (not presented here).
// Help: a half-dark panel with the keys of the game's screen, the keys of every screen and
// the gamepad; in the editor also the brushes with the current one outlined.
void DrawHelpCard(SoftwareDisplay& display, const Game& form);
// Plus, F1 on the options card: its keys, what each row sets and the keys of every screen.
void DrawOptionsHelpCard(SoftwareDisplay& display);
// Pause: "Paused" on a half-dark band across the view (plus: on its panel).
void DrawPauseCard(SoftwareDisplay& display, bool plus);
// F3: "tobu plus: on" or "tobu plus: off" and a line on what that means, on plus's panel.
void DrawPlusCard(SoftwareDisplay& display, bool plusOn);
// Plus, Escape in a run: "Give up?" on the same band.
void DrawGiveUpCard(SoftwareDisplay& display);
// Plus with a server: a title and lines of text (an online board, a message) on a panel,
// and a picture (of a shared level) centred under them when there is one.
void DrawOnlineCard(SoftwareDisplay& display, const std::vector<std::string>& lines, const Picture* picture);

// Where the editor's brushes are drawn on the help card: brush b (1..BrushCount) at BrushLeft(b), BrushTop.
constexpr int BrushTop = 84;
// 110 pixels apart, closer when more brushes must fit between x 70 and 570.
constexpr int BrushSpacing = BrushCount > 1 ? std::min(110, 500 / (BrushCount - 1)) : 0;
constexpr int BrushLeft(int brush) { return 70 + (brush - 1) * BrushSpacing; }

}  // namespace tobu
