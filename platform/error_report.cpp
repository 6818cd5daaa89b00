#include "platform/error_report.h"

#include <cstdio>

namespace tobu {

void ReportFileError(SDL_Window* window, const std::string& message) {
  std::fprintf(stderr, "tobu: %s\n", message.c_str());
  std::fflush(stderr);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "tobu", message.c_str(), window);
}

void ReportWarnings(std::vector<std::string>& warnings) {
  for (const std::string& warning : warnings) std::fprintf(stderr, "tobu: warning: %s\n", warning.c_str());
  if (!warnings.empty()) std::fflush(stderr);
  warnings.clear();
}

}  // namespace tobu
