#include "present/text_lines.h"

#include "present/bitmap_text.h"

namespace tobu {
namespace {

bool Fits(const std::string& line, int32_t width) { return StringWidth(line) <= width; }

// Every line as full as `width` allows, ended after the last space, '-' or '_' that fits
// when the next line would begin inside a word.
std::vector<std::string> BreakLines(const std::string& text, int32_t width) {
  std::vector<std::string> lines;
  size_t start = text.find_first_not_of(' ');
  while (start != std::string::npos) {
    size_t end = start + 1;  // a line holds a character even when it is too wide
    while (end < text.size() && Fits(text.substr(start, end + 1 - start), width)) ++end;
    if (end < text.size() && text[end] != ' ') {
      const size_t lastBreak = text.find_last_of(" -_", end - 1);
      if (lastBreak != std::string::npos && lastBreak > start) end = lastBreak + 1;
    }
    std::string line = text.substr(start, end - start);
    while (line.back() == ' ') line.pop_back();
    lines.push_back(line);
    start = text.find_first_not_of(' ', end);
  }
  return lines;
}

}  // namespace

std::vector<std::string> FitLines(const std::string& text, int32_t width, size_t most) {
  std::vector<std::string> lines = BreakLines(text, width);
  if (lines.size() <= most) return lines;
  lines.resize(most);
  if (lines.empty()) return lines;
  std::string& last = lines.back();
  while (!last.empty() && (last.back() == ' ' || !Fits(last + "..", width))) last.pop_back();
  last += "..";
  return lines;
}

}  // namespace tobu
