// inih's parser as Debian builds it (comments with ; or #, inline ; comments after a
// space, [sections], indented continuation lines, processing on after a bad line),
// for the web build, where Debian's library is not available. Lines are not cut at
// inih's 200 characters. The tests compare it with Debian's on the same inputs.
#include <string>
#include <string_view>

#include "ini.h"

namespace {

constexpr std::string_view Spaces = " \t\r\n\f\v";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(Spaces);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(Spaces) - first + 1);
}

// Cuts an inline comment: a ';' at the start or after white space.
std::string_view WithoutComment(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ';' && (i == 0 || Spaces.find(text[i - 1]) != std::string_view::npos))
      return text.substr(0, i);
  }
  return text;
}

}  // namespace

extern "C" int ini_parse_string(const char* string, ini_handler handler, void* user) {
  std::string_view rest(string);
  if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
  std::string section;
  std::string previousName;
  int lineNumber = 0;
  int firstError = 0;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    const std::string_view raw = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    ++lineNumber;
    const std::string_view line = Trim(raw);
    bool bad = false;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    const bool indented = Spaces.find(raw[0]) != std::string_view::npos;
    if (indented && !previousName.empty()) {
      const std::string value(line);  // inih keeps a continuation's ';' comment
      bad = handler(user, section.c_str(), previousName.c_str(), value.c_str()) == 0;
    } else if (line[0] == '[') {
      const size_t close = line.find(']');
      bad = close == std::string_view::npos;
      if (!bad) {
        section = line.substr(1, close - 1);
        previousName.clear();
      }
    } else {
      const std::string_view content = WithoutComment(line);
      const size_t equals = content.find_first_of("=:");
      bad = equals == std::string_view::npos;
      if (!bad) {
        previousName = Trim(content.substr(0, equals));
        const std::string value(Trim(content.substr(equals + 1)));
        bad = handler(user, section.c_str(), previousName.c_str(), value.c_str()) == 0;
      }
    }
    if (bad && firstError == 0) firstError = lineNumber;
  }
  return firstError;
}
