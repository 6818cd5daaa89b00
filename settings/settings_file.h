#pragma once
#include <filesystem>
#include <iosfwd>

#include "settings/settings.h"

namespace tobu {

constexpr const char* SettingsFileName = "tobu.ini";

// The settings as loaded at start, and whether they came from a file: only a file the
// player keeps is updated, so a game without one stays as it always was.
struct SettingsStore {
  std::filesystem::path File;
  Settings Values;
  bool FileExists = false;
};

// Reads `file`; a missing file gives the defaults silently, an unreadable or damaged one
// the defaults and one line on `log`, as does a file with unknown keys (the rest is kept).
SettingsStore LoadSettings(const std::filesystem::path& file, std::ostream& log);

// Makes `changed` the settings and, when the file exists and a value differs, rewrites
// the lines of the values that differ, keeping every other line (through a temporary
// file); with `mayCreate` (the player switched plus on) a missing file is created whole.
// Throws FileError when the file cannot be read or written.
void UpdateSettings(SettingsStore& store, const Settings& changed, bool mayCreate = false);

}  // namespace tobu
