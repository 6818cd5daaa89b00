#include "settings/settings_file.h"

#include <ostream>
#include <system_error>

#include "world/file_error.h"
#include "world/file_io.h"

namespace tobu {

SettingsStore LoadSettings(const std::filesystem::path& file, std::ostream& log) {
  SettingsStore store{file, Settings{}, false};
  std::error_code error;
  if (!std::filesystem::exists(file, error) && !error) return store;
  store.FileExists = true;
  try {
    const ParsedSettings parsed = ParseSettings(ReadWholeFile(file.string()));
    store.Values = parsed.Values;
    if (parsed.Complaint) log << "tobu: " << *parsed.Complaint << '\n';
  } catch (const FileError& unreadable) {
    log << "tobu: " << unreadable.what() << "; using the default settings\n";
  }
  return store;
}

void UpdateSettings(SettingsStore& store, const Settings& changed, bool mayCreate) {
  if (changed == store.Values) return;
  store.Values = changed;
  if (!store.FileExists && !mayCreate) return;
  ReplaceFile(store.File.string(), FormatSettings(changed));
  store.FileExists = true;
}

}  // namespace tobu
