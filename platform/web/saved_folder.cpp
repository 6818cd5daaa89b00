#include "platform/web/saved_folder.h"

namespace tobu {

bool AddShippedLevels(const std::filesystem::path& shipped, const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) return false;
  bool complete = true;
  for (const fs::directory_entry& entry : fs::directory_iterator(shipped, error)) {
    const fs::path target = folder / entry.path().filename();
    if (!entry.is_regular_file() || fs::exists(target)) continue;
    std::error_code copyError;
    fs::copy_file(entry.path(), target, copyError);
    complete = complete && !copyError;
  }
  return complete && !error;
}

}  // namespace tobu
