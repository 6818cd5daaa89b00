// Plus in the editor: nothing is lost without a question. Saving over another file, saving
// a level that cannot be played, and leaving, opening or closing the window with unsaved
// changes each ask first; Escape always gives the answer that changes nothing. A play-test
// comes back to the editor as it was, so F5 plays unsaved work at once.
#include <filesystem>
#include <utility>

#include "editor/editor.h"
#include "editor/level_checks.h"
#include "present/themes.h"
#include "shell/game.h"
#include "world/file_error.h"

namespace tobu {
namespace {

constexpr uint16_t KeyO = 79, KeyL = 76, KeyS = 83;
using Then = EditorDialogs::Then;

std::string LevelFileOf(const std::string& name) { return "./" + name + ".vel"; }

// "This level cannot be played: no exit, no food."
std::string ProblemsLine(const std::vector<std::string>& problems) {
  std::string line = "This level cannot be played:";
  for (size_t i = 0; i < problems.size(); ++i) line += (i == 0 ? " " : ", ") + problems[i];
  return line + ".";
}

}  // namespace

// Plus's keys in the editor, before the classic rules; true when the key was used up.
bool Game::PlusEditorKeyDown(uint16_t key) {
  if (Editor.PromptOpen()) {
    if (key == VkEscape) EditorAsk.After = Then::None;  // cancelling the save cancels what waited on it
    if (key == VkTab) ListPromptFiles();
    return DialogListKeyDown(key);
  }
  if (LevelMapKeyDown(key)) return true;
  if (Editor.Unsaved && key == VkEscape) return AskSaveChanges(Then::Leave), true;
  if (key == VkF5) return PlayTestOrAsk(), true;
  return false;
}

// F5: a level that cannot be played says why before its play-test (a runner started
// inside rock stands frozen while the clock runs).
void Game::PlayTestOrAsk() {
  const std::vector<std::string> problems = LevelProblems(Level);
  if (problems.empty()) return StartPlayTest();
  Question question = YesNoQuestion("Play-test anyway?", [this](Answer answer) {
    if (answer == Answer::Yes) StartPlayTest();
  });
  question.Detail = ProblemsLine(problems);
  Ask(std::move(question));
}

// Key-up of S, O or L: the prompt opens with the level files listed; O or L asks first
// when the level has unsaved changes. True when the key was used up.
bool Game::PlusEditorKeyUp(uint16_t key) {
  if (OpenQuestion || Editor.MapOpen) return true;  // a key released under a card opens no prompt
  if (Editor.PromptOpen() || (key != KeyS && key != KeyO && key != KeyL)) return false;
  if (key != KeyS && Editor.Unsaved) {
    AskSaveChanges(Then::OpenPrompt);
    return true;
  }
  ListPromptFiles();
  return false;
}

// The prompt's level files read afresh (the Play list keeps the rows it shows), and no
// failure or refused character shown over them.
void Game::ListPromptFiles() {
  LevelList files;
  files.Read();
  EditorAsk.LevelFiles = std::move(files.Items);
  EditorAsk.ListTop = 0;
  EditorAsk.ClickedName.clear();
  EditorAsk.Failure.clear();
  NameFieldHint = nullptr;
}

// Yes saves (a new level through the Save prompt) and then goes on; no goes on without
// saving; cancel stays in the editor as it was.
void Game::AskSaveChanges(EditorDialogs::Then then) {
  EditorAsk.After = then;
  const std::string& name = Editor.LevelName;
  Question question = YesNoCancelQuestion(
      name.empty() ? "Save this new level?" : "Save changes to " + name + "?", [this](Answer answer) {
        if (answer == Answer::Cancel) {
          EditorAsk.After = Then::None;
        } else if (answer == Answer::No) {
          RunAfterSave(std::exchange(EditorAsk.After, Then::None));
        } else if (Editor.LevelName.empty()) {
          OpenEditorPrompt(true);
        } else {
          BeginSave(Editor.LevelName);
        }
      });
  question.Detail = "The level has changes that are in no file yet.";
  Ask(std::move(question));
}

void Game::OpenEditorPrompt(bool save) {
  (save ? Editor.SavePromptOpen : Editor.OpenPromptOpen) = true;
  Editor.NameSelected = !Editor.InputText.empty();
  ListPromptFiles();
}

void Game::BeginSave(const std::string& name) {
  EditorAsk.SaveName = name;
  EditorAsk.ProblemsAccepted = false;
  EditorAsk.ReplaceAccepted = false;
  ContinueSave();
}

// Another level's file, or a shipped level even when it is this one, is only replaced
// when the designer said so; a file that cannot be looked at counts as there.
bool Game::SaveReplacesAnotherLevel(const std::string& name) const {
  std::error_code error;
  const bool exists = std::filesystem::exists(LevelFileOf(name), error) || error;
  return exists && (name != Editor.LevelName || IsShippedLevel(name + ".vel"));
}

// A yes goes on with the save; a no goes back to where the save was asked for (the
// prompt, if one is open), dropping what waited on it.
void Game::AskBeforeSaving(std::string text, std::string detail, bool EditorDialogs::*accepted) {
  Question question = YesNoQuestion(std::move(text), [this, accepted](Answer answer) {
    if (answer != Answer::Yes) {
      EditorAsk.After = Then::None;
      return;
    }
    EditorAsk.*accepted = true;
    ContinueSave();
  });
  question.Detail = std::move(detail);
  Ask(std::move(question));
}

// The questions in their order, then the save. A failed save is shown in the Save
// dialog, and what waited on the save is dropped.
void Game::ContinueSave() {
  const std::string& name = EditorAsk.SaveName;
  if (!EditorAsk.ProblemsAccepted) {
    const std::vector<std::string> problems = LevelProblems(Level);
    if (!problems.empty())
      return AskBeforeSaving("Save anyway?", ProblemsLine(problems), &EditorDialogs::ProblemsAccepted);
  }
  if (!EditorAsk.ReplaceAccepted && SaveReplacesAnotherLevel(name)) {
    if (IsShippedLevel(name + ".vel")) {
      return AskBeforeSaving("Replace the game's level " + name + "?",
                             "It is one of the levels tobu comes with; its best times go too.",
                             &EditorDialogs::ReplaceAccepted);
    }
    return AskBeforeSaving("Replace " + name + "?",
                           name + ".vel is there already; its level and best times go.",
                           &EditorDialogs::ReplaceAccepted);
  }
  const Then after = std::exchange(EditorAsk.After, Then::None);
  try {
    SaveLevel(LevelFileOf(name), Level);
  } catch (const FileError& error) {
    return ShowFileFailure(error);
  }
  Events.Push(GameEvent::Saved);
  Editor.LevelName = name;
  KeepLevelAsSaved(Editor, Level);
  ShowEditorNotice("Saved " + name);
  ClosePrompts(Editor);
  RunAfterSave(after);
}

// The window's close: plus asks first when unsaved work or a run in progress would be lost;
// a second close while it asks quits at once.
void Game::RequestClose() {
  if (Plus && Mode == GameMode::game && !PlayTest.Active && !WatchingReplay()) return AskQuitRun();
  const bool unsavedWork = Plus && Editor.Unsaved && (Mode == GameMode::editor || PlayTest.Active);
  if (!unsavedWork || EditorAsk.After == Then::Quit) return Close();
  // The question is asked over the editor, whose level is the one a save writes.
  if (PlayTest.Active) ReturnFromPlayTest();
  AskSaveChanges(Then::Quit);
}

void Game::RunAfterSave(EditorDialogs::Then then) {
  switch (then) {
    case Then::None:
      break;
    case Then::Leave:
      LeaveEditorForMenu();
      break;
    case Then::OpenPrompt:
      OpenEditorPrompt(false);
      break;
    case Then::Quit:
      Close();
      break;
  }
}

// A failed save or open: the game's message in the dialog, with the error sound, and the
// name chosen so that it can be typed again. A save that a question began opens the Save
// dialog with the name it tried; nothing may look as if it had been saved.
void Game::ShowFileFailure(const FileError& error) {
  if (!Editor.PromptOpen()) {
    Editor.InputText = EditorAsk.SaveName;
    OpenEditorPrompt(true);
  }
  EditorAsk.Failure = error.Messages().front();
  Editor.NameSelected = !Editor.InputText.empty();
  Editor.CompletionPrefix.reset();
  Events.Push(GameEvent::Error);
}

void Game::ShowEditorNotice(std::string text) {
  EditorAsk.Notice.Show(std::move(text), EditorDialogs::NoticeTicks);
}

}  // namespace tobu
