// Rewriting one setting of tobu.ini in place. The lines are read as inih reads them
// (settings.cpp): [sections], `key = value` with an inline comment after " ;", comment
// lines starting with ; or #, and indented lines that continue the key above them.
#include "settings/settings_lines.h"

#include <optional>

namespace tobu {
namespace {

constexpr std::string_view Spaces = " \t\r\n\f\v";

struct Span {
  size_t Begin = 0;
  size_t End = 0;
};

// The part of [begin, end) of `text` without white space at either end.
Span Trimmed(std::string_view text, size_t begin, size_t end) {
  while (begin < end && Spaces.find(text[begin]) != std::string_view::npos) ++begin;
  while (end > begin && Spaces.find(text[end - 1]) != std::string_view::npos) --end;
  return {begin, end};
}

// Where an inline comment starts (a ';' after white space), or `end`.
size_t CommentStart(std::string_view text, size_t begin, size_t end) {
  for (size_t i = begin + 1; i < end; ++i) {
    if (text[i] == ';' && Spaces.find(text[i - 1]) != std::string_view::npos) return i - 1;
  }
  return end;
}

// What the lines say about one key: where its last value lies, and where a new line
// for it would go (after the last line of the game's section).
struct KeyLines {
  std::optional<Span> Value;
  std::optional<size_t> LastLineEnd;  // the end of that line, before its '\n'
  bool AnySection = false;
};

KeyLines FindKey(std::string_view text, std::string_view key) {
  KeyLines found;
  std::string section;
  std::string previousName;
  size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const Span line = Trimmed(text, start, end);
    const bool ours = section.empty() || section == "tobu";
    const bool indented = line.Begin > start;
    if (line.Begin == line.End || text[line.Begin] == ';' || text[line.Begin] == '#') {
      // blank or a comment
    } else if (indented && !previousName.empty()) {
      if (ours && previousName == key) found.Value = line;
      if (ours) found.LastLineEnd = end;
    } else if (text[line.Begin] == '[') {
      const size_t close = text.find(']', line.Begin);
      if (close < CommentStart(text, line.Begin, line.End)) {
        section = text.substr(line.Begin + 1, close - line.Begin - 1);
        previousName.clear();
        found.AnySection = true;
        if (section == "tobu") found.LastLineEnd = end;
      }
    } else {
      const size_t contentEnd = CommentStart(text, line.Begin, line.End);
      const size_t equals = text.substr(line.Begin, contentEnd - line.Begin).find_first_of("=:");
      if (equals != std::string_view::npos) {
        const Span name = Trimmed(text, line.Begin, line.Begin + equals);
        previousName = text.substr(name.Begin, name.End - name.Begin);
        if (ours && previousName == key) found.Value = Trimmed(text, line.Begin + equals + 1, contentEnd);
        if (ours) found.LastLineEnd = end;
      }
    }
    start = end + 1;
  }
  return found;
}

}  // namespace

std::string WithSettingLine(std::string text, std::string_view key, std::string_view value) {
  const KeyLines found = FindKey(text, key);
  if (found.Value) return text.replace(found.Value->Begin, found.Value->End - found.Value->Begin, value);
  const std::string newline = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
  const std::string line = std::string(key) + " = " + std::string(value);
  if (found.LastLineEnd) {
    const size_t at = *found.LastLineEnd;
    return at < text.size() ? text.insert(at + 1, line + newline) : text + newline + line + newline;
  }
  if (!text.empty() && text.back() != '\n') text += newline;
  return text + (found.AnySection ? "[tobu]" + newline : "") + line + newline;
}

}  // namespace tobu
