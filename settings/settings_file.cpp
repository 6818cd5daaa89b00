#include "settings/settings_file.h"

#include <optional>
#include <ostream>
#include <string>
#include <system_error>

#include "settings/settings_lines.h"
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

// The file as it is now, so that what the player wrote meanwhile stays too; only the
// lines of the settings that changed are touched.
void UpdateSettings(SettingsStore& store, const Settings& changed, bool mayCreate) {
  if (changed == store.Values) return;
  const std::vector<SettingLine> before = SettingLines(store.Values);
  store.Values = changed;
  if (!store.FileExists && !mayCreate) return;
  const std::optional<std::vector<uint8_t>> bytes =
      store.FileExists ? ReadFileIfPresent(store.File.string()) : std::nullopt;
  if (!bytes) {
    if (!mayCreate) return;  // removed since: the game never creates it
    ReplaceFile(store.File.string(), FormatSettings(changed));
    store.FileExists = true;
    return;
  }
  std::string text(bytes->begin(), bytes->end());
  const std::vector<SettingLine> after = SettingLines(changed);
  for (size_t i = 0; i < after.size(); ++i) {
    if (after[i].Value != before[i].Value)
      text = WithSettingLine(std::move(text), after[i].Key, after[i].Value);
  }
  ReplaceFile(store.File.string(), {text.begin(), text.end()});
}

}  // namespace tobu
