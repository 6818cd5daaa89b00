// Plus in the editor: nothing is lost without a question. Saving over another file, saving
// a level that cannot be played, and leaving, opening or play-testing with unsaved changes
// each ask first; Escape always gives the answer that changes nothing.
#include <filesystem>
#include <utility>

#include "editor/editor.h"
#include "editor/level_checks.h"
#include "present/themes.h"
#include "shell/game.h"

namespace tobu {
namespace {

constexpr uint16_t KeyY = 89, KeyN = 78, KeyO = 79, KeyL = 76, KeyS = 83;
using Question = EditorDialogs::Question;
using Then = EditorDialogs::Then;

std::string LevelFileOf(const std::string& name) { return "./" + name + ".vel"; }

}  // namespace

// Plus's keys in the editor, before the classic rules; true when the key was used up.
bool Game::PlusEditorKeyDown(uint16_t key) {
  if (EditorAsk.Open()) {
    AnswerEditorQuestion(key);
    dropCharacter_ = true;  // the answer's letter never reaches a prompt it opened
    return true;
  }
  if (Editor.PromptOpen()) {
    if (key == VkEscape) EditorAsk.After = Then::None;  // cancelling the save cancels what waited on it
    if (key == VkTab) EditorAsk.LevelFiles = ReadLevelFileNames();
    return false;
  }
  if (Editor.Unsaved && key == VkEscape) return AskSaveChanges(Then::Leave), true;
  if (Editor.Unsaved && key == VkF5) return AskSaveChanges(Then::PlayTest), true;
  return false;
}

// Key-up of S, O or L: the prompt opens with the level files listed; O or L asks first
// when the level has unsaved changes. True when the key was used up.
bool Game::PlusEditorKeyUp(uint16_t key) {
  if (EditorAsk.Open()) return true;
  if (Editor.PromptOpen() || (key != KeyS && key != KeyO && key != KeyL)) return false;
  if (key != KeyS && Editor.Unsaved) {
    AskSaveChanges(Then::OpenPrompt);
    return true;
  }
  EditorAsk.LevelFiles = ReadLevelFileNames();
  return false;
}

std::vector<std::string> Game::ReadLevelFileNames() const {
  LevelList files;  // read afresh: the Play list keeps the rows it shows
  files.Read();
  return files.Items;
}

void Game::AskSaveChanges(EditorDialogs::Then then) {
  EditorAsk.Asking = Question::SaveChanges;
  EditorAsk.After = then;
}

void Game::AnswerEditorQuestion(uint16_t key) {
  const bool yes = key == KeyY, no = key == KeyN || key == VkEscape;
  if (!yes && !no) return;  // any other key leaves the question open
  const Question asked = std::exchange(EditorAsk.Asking, Question::None);
  if (asked == Question::SaveChanges) {
    if (key == VkEscape) {
      EditorAsk.After = Then::None;
    } else if (no) {
      RunAfterSave(std::exchange(EditorAsk.After, Then::None));
    } else if (Editor.LevelName.empty()) {
      Editor.SavePromptOpen = true;  // a new level needs a name; the save then goes on
      EditorAsk.LevelFiles = ReadLevelFileNames();
    } else {
      BeginSave(Editor.LevelName);
    }
    return;
  }
  if (no) {
    EditorAsk.After = Then::None;  // back to the prompt (if one is open): nothing written
    return;
  }
  if (asked == Question::SaveAnyway) EditorAsk.ProblemsAccepted = true;
  if (asked == Question::Replace) EditorAsk.ReplaceAccepted = true;
  ContinueSave();
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

// The questions in their order, then the save. A failed save escapes as FileError with
// the prompt still open, and what waited on the save is dropped.
void Game::ContinueSave() {
  if (!EditorAsk.ProblemsAccepted) {
    EditorAsk.Problems = LevelProblems(Level);
    if (!EditorAsk.Problems.empty()) {
      EditorAsk.Asking = Question::SaveAnyway;
      return;
    }
  }
  if (!EditorAsk.ReplaceAccepted && SaveReplacesAnotherLevel(EditorAsk.SaveName)) {
    EditorAsk.Asking = Question::Replace;
    return;
  }
  const Then after = std::exchange(EditorAsk.After, Then::None);
  SaveLevel(LevelFileOf(EditorAsk.SaveName), Level);
  Events.Push(GameEvent::Saved);
  Editor.LevelName = EditorAsk.SaveName;
  Editor.Unsaved = false;
  ShowEditorNotice("Saved " + EditorAsk.SaveName);
  ClosePrompts(Editor);
  RunAfterSave(after);
}

void Game::RunAfterSave(EditorDialogs::Then then) {
  switch (then) {
    case Then::None: break;
    case Then::Leave: LeaveEditorForMenu(); break;
    case Then::OpenPrompt:
      Editor.OpenPromptOpen = true;
      EditorAsk.LevelFiles = ReadLevelFileNames();
      break;
    case Then::PlayTest: StartPlayTest(); break;
  }
}

void Game::ShowEditorNotice(std::string text) {
  EditorAsk.Notice = std::move(text);
  EditorAsk.NoticeTicksLeft = EditorDialogs::NoticeTicks;
}

}  // namespace tobu
