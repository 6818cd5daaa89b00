#include <algorithm>
#include <cctype>

#include "editor/editor.h"

namespace tobu {
namespace {

// The name a prompt would type for a level file, or nothing when the prompt could not
// reach it: its extension must be ".vel" exactly (the prompt adds that) and the rest
// must obey the prompt's own rules.
std::optional<std::string> PromptName(const std::string& file) {
  constexpr size_t extension = 4;
  if (file.size() <= extension || file.compare(file.size() - extension, extension, ".vel") != 0) return {};
  std::string name = file.substr(0, file.size() - extension);
  if (name.size() > MaxFileNameLength) return {};
  for (const char c : name) {
    if (!AcceptedNameChar(static_cast<uint8_t>(c))) return {};
  }
  return name;
}

bool StartsWithIgnoringCase(const std::string& name, const std::string& prefix) {
  if (prefix.size() > name.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), name.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}

// What the names must start with: the text typed before the first Tab or pick, and
// nothing while the name in the field is chosen (a letter typed would replace it).
std::string NamePrefix(const EditorState& editor) {
  return editor.CompletionPrefix.value_or(editor.NameSelected ? "" : editor.InputText);
}

}  // namespace

std::vector<std::string> CompletionNames(const EditorState& editor,
                                         const std::vector<std::string>& levelFiles) {
  const std::string prefix = NamePrefix(editor);
  std::vector<std::string> matches;
  for (const std::string& file : levelFiles) {
    const std::optional<std::string> name = PromptName(file);
    if (name && StartsWithIgnoringCase(*name, prefix)) matches.push_back(*name);
  }
  return matches;
}

void CompleteName(EditorState& editor, const std::vector<std::string>& levelFiles) {
  const std::string prefix = NamePrefix(editor);
  const std::vector<std::string> matches = CompletionNames(editor, levelFiles);
  if (matches.empty()) return;
  // The first match, or the one after the name Tab showed last, round again at the end.
  size_t next = 0;
  if (editor.CompletionPrefix || editor.NameSelected) {
    const auto shown = std::find(matches.begin(), matches.end(), editor.InputText);
    if (shown != matches.end()) next = (static_cast<size_t>(shown - matches.begin()) + 1) % matches.size();
  }
  editor.CompletionPrefix = prefix;
  editor.InputText = matches[next];
}

int PickedName(const EditorState& editor, const std::vector<std::string>& names) {
  const auto shown = std::find(names.begin(), names.end(), editor.InputText);
  return shown == names.end() ? -1 : static_cast<int>(shown - names.begin());
}

void StepThroughNames(EditorState& editor, const std::vector<std::string>& levelFiles, int step) {
  const std::vector<std::string> names = CompletionNames(editor, levelFiles);
  const int count = static_cast<int>(names.size()), picked = PickedName(editor, names);
  if (count == 0 || step == 0) return;
  const int from = picked >= 0 ? picked : (step > 0 ? -1 : count);
  PickName(editor, levelFiles, std::clamp(from + step, 0, count - 1));
}

void PickName(EditorState& editor, const std::vector<std::string>& levelFiles, int index) {
  const std::vector<std::string> names = CompletionNames(editor, levelFiles);
  if (index < 0 || index >= static_cast<int>(names.size())) return;
  // As Tab does: the list keeps the text typed before, and a letter typed goes on the name.
  editor.CompletionPrefix = NamePrefix(editor);
  editor.InputText = names[static_cast<size_t>(index)];
  editor.NameSelected = false;
}

}  // namespace tobu
