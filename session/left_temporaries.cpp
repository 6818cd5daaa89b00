#include "session/left_temporaries.h"

#include <optional>
#include <string>
#include <vector>

#include "shell/roster.h"
#include "world/file_io.h"

namespace tobu {
namespace {

// The files the game replaces in each of its folders.
struct WrittenFiles {
  const char* Folder;  // "" for the game's folder
  std::vector<std::string> Names;
  const char* Extension;
};

bool Writes(const WrittenFiles& files, const std::string& name) {
  const std::string extension = files.Extension;
  for (const std::string& written : files.Names) {
    if (name == written) return true;
  }
  return name.size() > extension.size() &&
         name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

}  // namespace

void RemoveLeftTemporaries(const std::filesystem::path& gameFolder) {
  // Levels land beside Players.dat when Levels/ cannot be entered.
  const WrittenFiles table[] = {
      {"", {RosterFileName, "tobu.ini"}, ".vel"},
      {"Levels", {}, ".vel"},
      {"Replays", {}, ".tbr"},
      {"Screenshots", {}, ".png"},
  };
  for (const WrittenFiles& files : table) {
    std::vector<std::filesystem::path> left;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(gameFolder / files.Folder, error), end;
         !error && entry != end; entry.increment(error)) {
      const std::optional<std::string> name = ReplacedByTemporary(entry->path().filename().string());
      std::error_code typeError;
      if (name && Writes(files, *name) &&
          entry->symlink_status(typeError).type() == std::filesystem::file_type::regular) {
        left.push_back(entry->path());
      }
    }
    for (const std::filesystem::path& file : left) std::filesystem::remove(file, error);
  }
}

}  // namespace tobu
