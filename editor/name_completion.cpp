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

}  // namespace

std::vector<std::string> CompletionNames(const EditorState& editor,
                                         const std::vector<std::string>& levelFiles) {
  const std::string prefix = editor.CompletionPrefix.value_or(editor.InputText);
  std::vector<std::string> matches;
  for (const std::string& file : levelFiles) {
    const std::optional<std::string> name = PromptName(file);
    if (name && StartsWithIgnoringCase(*name, prefix)) matches.push_back(*name);
  }
  return matches;
}

void CompleteName(EditorState& editor, const std::vector<std::string>& levelFiles) {
  const std::string prefix = editor.CompletionPrefix.value_or(editor.InputText);
  const std::vector<std::string> matches = CompletionNames(editor, levelFiles);
  if (matches.empty()) return;
  // The first match, or the one after the name Tab showed last, round again at the end.
  size_t next = 0;
  if (editor.CompletionPrefix) {
    const auto shown = std::find(matches.begin(), matches.end(), editor.InputText);
    if (shown != matches.end()) next = (static_cast<size_t>(shown - matches.begin()) + 1) % matches.size();
  }
  editor.CompletionPrefix = prefix;
  editor.InputText = matches[next];
}

}  // namespace tobu
