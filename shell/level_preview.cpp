#include "shell/level_preview.h"

#include <algorithm>

#include "present/themes.h"
#include "world/file_error.h"
#include "world/file_io.h"
#include "world/object_kinds.h"

namespace tobu {

LevelPreview ReadLevelPreview(const std::string& file) {
  LevelPreview preview;
  try {
    preview.Level = ParseLevel(ReadWholeFile(file), file);
  } catch (const FileError&) {
    return preview;
  }
  preview.Readable = true;
  preview.FoodCount = static_cast<int>(
      std::count_if(preview.Level.Objects.begin(), preview.Level.Objects.end(),
                    [](const LevelObject& object) { return KindHasRule(object.Kind, ContactRule::Eaten); }));
  preview.Frame = UsedArea(preview.Level);
  preview.Theme = LevelTheme(file);
  return preview;
}

}  // namespace tobu
