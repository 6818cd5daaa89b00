#include "shell/level_list.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tobu {
namespace {

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The mask "*.vel" in any letter case; hidden files are not listed.
bool IsLevelName(const std::string& name) {
  return name.size() > 4 && name[0] != '.' && Lowered(name.substr(name.size() - 4)) == ".vel";
}

} // namespace

std::string LevelTitle(const std::string& fileName) {
  std::string title = IsLevelName(fileName) ? fileName.substr(0, fileName.size() - 4) : fileName;
  for (char& c : title) {
    if (c == '-') c = ' ';
  }
  return title;
}

void LevelList::Read() {
  Items.clear();
  // Every call takes an error code: a folder that cannot be read lists what was read
  // before, and an entry that cannot be examined (a link loop) is not listed.
  std::error_code error;
  for (std::filesystem::directory_iterator entry(".", error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code kindError;
    if (!entry->is_regular_file(kindError)) continue;
    const std::string name = entry->path().filename().string();
    if (IsLevelName(name)) Items.push_back(name);
  }
  std::sort(Items.begin(), Items.end(), [](const std::string& a, const std::string& b) {
    const std::string la = Lowered(a), lb = Lowered(b);
    return la != lb ? la < lb : a < b;
  });
}

} // namespace tobu
