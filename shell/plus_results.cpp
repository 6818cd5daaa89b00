// Plus's results: the level's name, the time large, how it stands against the best
// time and the medals, then the rows ("Next level", "Play again", "Best times", "Level
// list"), all on the middle, and their keys on the ground.
#include <algorithm>
#include <string>
#include <vector>

#include "present/bitmap_text.h"
#include "present/meadow_scene.h"
#include "present/plus_palette.h"
#include "present/sheets.h"
#include "shell/game.h"
#include "shell/menu_layout.h"
#include "sim/clock.h"

namespace tobu {
namespace {

constexpr int32_t TitleTop = 40;
constexpr int32_t TimeTop = 92;
constexpr int32_t TimeScale = 2;
constexpr int32_t VerdictTop = 154;
constexpr int32_t ParTop = 186;
constexpr int32_t RowsX = 246;
constexpr const char* ResultKeys =
    "Up and Down choose, Return takes    R plays again at once    Escape back to the level list    F1 help";

// After a failed run, one of these in turn: the runner's rules as the player meets them
// (sim/runner.cpp), told as how to use them.
// One tip about the controls after a failed run, for what ended it; a cause's tips in turn.
struct ControlTip {
  const char* Cause;
  const char* Text;
};
constexpr ControlTip ControlTips[] = {
    {"Caught by a killer", "Tip: every jump is the same height: steer it with the arrows in the air"},
    {"Caught by a killer", "Tip: the runner speeds up, turns and stops gently: let go of the arrow early"},
    {"Fell out of the world", "Tip: jump while still on the ledge: off it, a tap of Space is lost"},
    {"Fell out of the world", "Tip: hold Space and the runner jumps again the moment it lands"},
    {GivenUpCause, "Tip: R starts the level again at once, in a run too"},
};
std::string ControlTipFor(const std::string& cause, int32_t failedRuns) {
  std::vector<const char*> fitting;
  for (const ControlTip& tip : ControlTips)
    if (cause == tip.Cause) fitting.push_back(tip.Text);
  if (fitting.empty()) return {};
  return fitting[static_cast<size_t>(std::max(failedRuns, 1) - 1) % fitting.size()];
}
void ShowCentred(Display& display, int32_t y, const std::string& text) {
  ShowString(display, (ViewWidth - StringWidth(text)) / 2, y, text);
}

}  // namespace

void Game::DrawPlusGameMenu(const std::string& title) {
  ShowCentred(display_, TitleTop, title);
  if (Outcome.RunFailed) {
    // A run given up was the player's choice, not a failure: the heading says so.
    const bool givenUp = PlusView.Cause == GivenUpCause;
    ShowCentred(display_, TimeTop + 10, givenUp ? "You Gave Up" : "You Failed to Finish!");
    // What ended the run, and when: a new player sees why, not only that.
    const std::string time = StopwatchText(ClockHundredths(Clock));
    ShowCentred(display_, VerdictTop, givenUp ? "after " + time : PlusView.Cause + " at " + time);
    const std::string tip = ControlTipFor(PlusView.Cause, FailedRuns);
    DrawCanvasTextCentred(display_, PlusResultTipTop, tip, palette::LabelGrey);
  } else {
    ShowStringScaled(display_, -1, TimeTop, StopwatchText(ClockHundredths(Clock)), TimeScale);
    std::string verdict;
    if (Outcome.NewBestTime) {
      verdict = "Best Time!";
      if (PlusView.OldBest) verdict += " " + BestTimeDelta(*PlusView.OldBest, Best.BestTime[1]);
    } else if (Outcome.InTopTen) {
      verdict = "You Made the Top Ten";
    } else if (!Best.BestNames[1].empty()) {
      verdict = "Best " + StopwatchText(StoredHundredths(Best.BestTime[1]));
    }
    ShowCentred(display_, VerdictTop, verdict);
  }
  DrawMedalLines(ParTop);
  // The list is a round: after its last level comes its first again, and the row says so.
  const bool last = LevelIndex + 1 >= LevelFiles.Count();
  const char* rows[PlusResultRowCount] = {last ? "Back to level 1" : "Next level", "Play again", "Best times",
                                          "Level list"};
  for (int32_t i = 0; i < PlusResultRowCount; ++i)
    ShowString(display_, RowsX, PlusResultMenuRows.TextTop(i), rows[i]);
  display_.DrawFrame(SheetHelmet, RowsX - 36, PlusResultMenuRows.PointerTop(MenuCursor),
                     Anim.ObjectFrame[ObjectExit]);
  display_.DrawCanvasText(46, MenuHintsTop, ResultKeys);
}

}  // namespace tobu
