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

void LevelList::Read() {
  Items.clear();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(".", error)) {
    std::error_code kind_error;
    if (!entry.is_regular_file(kind_error)) continue;
    const std::string name = entry.path().filename().string();
    if (IsLevelName(name)) Items.push_back(name);
  }
  std::sort(Items.begin(), Items.end(), [](const std::string& a, const std::string& b) {
    const std::string la = Lowered(a), lb = Lowered(b);
    return la != lb ? la < lb : a < b;
  });
}

} // namespace tobu
