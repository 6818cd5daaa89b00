#include "platform/error_report.h"

#include <cstdio>

namespace tobu {

void ReportFileError(SDL_Window* window, const std::string& message) {
  std::fprintf(stderr, "tobu: %s\n", message.c_str());
  std::fflush(stderr);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "tobu", message.c_str(), window);
}

}  // namespace tobu
