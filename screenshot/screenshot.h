// screenshot/: F12's PNG files. Includes present/ and world/.
#pragma once
#include <ctime>
#include <filesystem>
#include <string>

#include "present/software_display.h"

namespace tobu {

// "tobu-YYYYMMDD-HHMMSS.png"; the second and later shot of the same second get "-2", "-3"...
std::string ScreenshotName(const std::tm& when, int take);

// Saves the frame as a PNG in `folder` (made when missing) under the first free name for
// `when`, through a temporary file. Returns the file's path; FileError when the folder
// cannot be made or the file cannot be written.
std::filesystem::path SaveScreenshot(const std::filesystem::path& folder, const FrameBuffer& frame,
                                     const std::tm& when);

}  // namespace tobu
