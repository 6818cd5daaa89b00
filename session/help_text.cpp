#include "session/help_text.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "editor/brushes.h"

namespace tobu {

const char* HelpHeading(GameMode mode) {
  switch (mode) {
    case GameMode::SelectPlayer:
      return "Choosing a player";
    case GameMode::CreateNewPlayer:
      return "Typing a new name";
    case GameMode::MainMenu:
      return "Main menu";
    case GameMode::SelectLevel:
      return "Level list";
    case GameMode::game:
      return "A run";
    case GameMode::PlayTestResult:
      return "A play-test";
    case GameMode::GameMenu:
      return "After a run";
    case GameMode::TopTen:
      return "Best times";
    case GameMode::editor:
      return "Editor";
  }
  return "";
}

const std::vector<HelpLine>& ScreenHelp(GameMode mode) {
  static const std::vector<HelpLine> selectPlayer{
      {"Up, Down", "choose a player or \"Create New Player\""},
      {"Return", "confirm"},
      {"Escape", "quit the game"},
  };
  static const std::vector<HelpLine> createNewPlayer{
      {"letters, digits", "type the name (the gamepad cannot type)"},
      {"Back", "erase the last letter"},
      {"Tab", "complete a name"},
      {"Return", "confirm the name"},
      {"Escape", "quit the game"},
  };
  static const std::vector<HelpLine> mainMenu{
      {"Up, Down", "choose \"Play\" or \"Editor\""},
      {"Return", "confirm"},
      {"Escape", "quit the game"},
  };
  static const std::vector<HelpLine> selectLevel{
      {"Up, Down", "choose a level"},      {"Return", "play it"},
      {"Delete", "erase its best times"},  {"W", "watch its record run"},
      {"Escape", "back to the main menu"},
  };
  static const std::vector<HelpLine> run{
      {"Left, Right", "run"},
      {"Space", "jump"},
      {"Pause, P", "pause and resume"},
      {"G", "show or hide the ghost of the best run"},
      {"Escape", "give up"},
  };
  static const std::vector<HelpLine> gameMenu{
      {"Up, Down", "choose \"Play again\" or \"Best times\""},
      {"Return", "confirm"},
      {"Escape", "back to the level list"},
  };
  static const std::vector<HelpLine> topTen{
      {"Escape", "back"},
  };
  static const std::string BrushKeys = "1 to " + std::to_string(BrushCount);
  static const std::vector<HelpLine> editor{
      {BrushKeys.c_str(), "choose a brush (pictured above)"},
      {"left button", "paint or place with the brush"},
      {"right button", "remove"},
      {"Space", "put the start under the pointer"},
      {"arrow keys", "scroll"},
      {"S; O or L", "save; open (type a name, Return)"},
      {"Tab", "complete a name in the prompt"},
      {"Ctrl+Z, Ctrl+Y", "undo, redo"},
      {"G", "show or hide the grid"},
      {"F5", "play-test the level"},
      {"Escape", "close the prompt, or leave"},
  };
  switch (mode) {
    case GameMode::SelectPlayer:
      return selectPlayer;
    case GameMode::CreateNewPlayer:
      return createNewPlayer;
    case GameMode::MainMenu:
      return mainMenu;
    case GameMode::SelectLevel:
      return selectLevel;
    case GameMode::game:
    case GameMode::PlayTestResult:
      return run;
    case GameMode::GameMenu:
      return gameMenu;
    case GameMode::TopTen:
      return topTen;
    case GameMode::editor:
      return editor;
  }
  return topTen;
}

const std::vector<HelpLine>& EverywhereHelp() {
  static const std::vector<HelpLine> lines{
      {"F1", "this card (F1 or Escape closes it)"}, {"F2", "sound on or off"},
      {"F3", "tobu plus on or off (in menus)"},     {"F11, Alt+Return", "full screen or a window"},
      {"F12", "screenshot into Screenshots/"},
  };
  return lines;
}

const std::vector<HelpLine>& GamepadHelp() {
  static const std::vector<HelpLine> lines{
      {"d-pad, left stick", "arrow keys"},
      {"A", "Space in a run, Return in menus"},
      {"B; Start; Back", "Escape; pause; this card"},
  };
  return lines;
}

const std::vector<HelpLine>& PlusGamepadHelp() {
  static const std::vector<HelpLine> lines{
      {"d-pad or left stick", "run; move through the menus"},
      {"A button", "jump; choose in the menus"},
      {"B button", "go back, as Escape does"},
      {"Start button", "pause the run"},
      {"Back button", "open or close this card"},
  };
  return lines;
}

const std::vector<HelpLine>& OptionsKeysHelp() {
  static const std::vector<HelpLine> lines{
      {"Up, Down", "choose a row"},
      {"Left, Right", "less or more; a switch flips"},
      {"Return", "change the row's value"},
      {"mouse", "point at a row; a click changes it"},
      {"Escape, O", "back (every change is already kept)"},
  };
  return lines;
}

const std::vector<HelpLine>& OptionsRowsHelp() {
  static const std::vector<HelpLine> lines{
      {"Full screen", "the whole screen or a window, as F11 switches"},
      {"Scale", "fit fills the window; whole keeps every pixel square"},
      {"Sound", "the sounds' volume; below 10 they are off (F2)"},
      {"Music", "the music's volume; 0 is off"},
      {"Ghost", "the best run's ghost in a run, as G shows it"},
      {"tobu plus", "off: the classic game, as F3 switches it"},
  };
  return lines;
}

namespace {

// What tobu plus changes on a screen's keys (empty where nothing).
const std::vector<HelpLine>& PlusHelp(GameMode mode) {
  static const std::vector<HelpLine> run{
      {"Up, W", "jump, as Space does"},
      {"A, D", "run left and right, as the arrows do"},
      {"R", "start the level again at once"},
      {"Escape", "asks \"Give up?\": Escape gives up, R starts again"},
  };
  static const std::vector<HelpLine> results{
      {"Up, Down", "choose \"Next level\", \"Play again\", \"Best times\" or \"Level list\""},
      {"Return", "confirm (\"Next level\": the next level of the list)"},
      {"R", "play the level again at once"},
      {"O", "options: screen, sound, music, ghost, plus"},
  };
  static const std::vector<HelpLine> bestTimes{
      {"O", "options: screen, sound, music, ghost, plus"},
  };
  static const std::vector<HelpLine> editor{
      {"toolbar", "a press on a brush chooses it"},
      {"wheel; middle drag", "scroll (with Shift, sideways); drag the level along"},
      {"Tab", "the whole level's map; in the prompt, complete a name"},
      {"Shift+left, right drag", "paint, erase a rectangle of tiles"},
      {"Escape, O, L", "ask first when the level has unsaved changes"},
  };
  static const std::vector<HelpLine> players{
      {"Delete", "asks before it deletes the player (best times stay)"},
      {"F4", "rename the player (best times keep the old name)"},
      {"O", "options: screen, sound, music, ghost, plus"},
      {"Escape", "back to the main menu; at the start, \"Quit tobu?\""},
  };
  static const std::vector<HelpLine> newPlayer{
      {"Return", "with no name typed: says a name is needed"},
      {"Ctrl, Alt", "held, the letters type nothing"},
      {"Escape", "back to the player list; with none, \"Quit tobu?\""},
  };
  static const std::vector<HelpLine> mainMenu{
      {"Up, Down", "choose \"Play\", \"Editor\", \"Players\" or \"Options\""},
      {"Return", "confirm (\"Players\": back to the player list)"},
      {"O", "options: screen, sound, music, ghost, plus"},
      {"Escape", "asks \"Quit tobu?\" first"},
  };
  static const std::vector<HelpLine> levels{
      {"Home, End", "the first level, the last"},
      {"Page Up, Page Down", "sixteen levels up or down"},
      {"Delete", "asks before it erases the level's best times"},
      {"O", "options: screen, sound, music, ghost, plus"},
  };
  static const std::vector<HelpLine> none;
  if (mode == GameMode::editor) return editor;
  if (mode == GameMode::game) return run;
  if (mode == GameMode::GameMenu) return results;
  if (mode == GameMode::TopTen) return bestTimes;
  if (mode == GameMode::SelectPlayer) return players;
  if (mode == GameMode::CreateNewPlayer) return newPlayer;
  if (mode == GameMode::MainMenu) return mainMenu;
  if (mode == GameMode::SelectLevel) return levels;
  return none;
}

}  // namespace

PlusScreenLines PlusScreenHelp(GameMode mode) {
  PlusScreenLines lines{ScreenHelp(mode), {}};
  for (const HelpLine& plus : PlusHelp(mode)) {
    const auto same = std::find_if(lines.Screen.begin(), lines.Screen.end(), [&](const HelpLine& line) {
      return std::string_view(line.Keys) == plus.Keys;
    });
    if (same != lines.Screen.end()) {
      *same = plus;
    } else {
      lines.Added.push_back(plus);
    }
  }
  return lines;
}

}  // namespace tobu
