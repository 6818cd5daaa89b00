// F12's PNG files: their names, their pixels, and folders that cannot take them.
#include "screenshot/screenshot.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../support/temp_dir.h"
#include "present/rgb565.h"
#include "screenshot/png_file.h"
#include "world/file_error.h"
#include "world/file_io.h"

namespace tobu::testing {
namespace {

std::tm Moment(int year, int month, int day, int hour, int minute, int second) {
  std::tm when{};
  when.tm_year = year - 1900;
  when.tm_mon = month - 1;
  when.tm_mday = day;
  when.tm_hour = hour;
  when.tm_min = minute;
  when.tm_sec = second;
  return when;
}

TEST(ScreenshotName, DateTimeAndATakeNumberFromTheSecond) {
  const std::tm when = Moment(2026, 12, 8, 15, 30, 12);
  EXPECT_EQ(ScreenshotName(when, 1), "tobu-20261208-153012.png");
  EXPECT_EQ(ScreenshotName(when, 2), "tobu-20261208-153012-2.png");
  EXPECT_EQ(ScreenshotName(Moment(2027, 1, 2, 3, 4, 5), 11), "tobu-20270102-030405-11.png");
}

// Every RGB565 value somewhere in the frame, so each channel's widening is checked.
std::unique_ptr<FrameBuffer> AllColours() {
  auto frame = std::make_unique<FrameBuffer>();
  for (size_t i = 0; i < frame->size(); ++i) (*frame)[i] = static_cast<uint16_t>(i * 7 % 65536);
  return frame;
}

TEST(Screenshot, ThePngDecodesToTheFramePixelForPixel) {
  TempDir dir;
  const auto frame = AllColours();
  const auto file = SaveScreenshot(dir.Path() / "Screenshots", *frame, Moment(2026, 12, 8, 15, 30, 12));
  EXPECT_EQ(file.filename(), "tobu-20261208-153012.png");
  const std::vector<uint8_t> bytes = ReadWholeFile(file.string());
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()));
  ASSERT_EQ(image.width, static_cast<uint32_t>(ViewWidth));
  ASSERT_EQ(image.height, static_cast<uint32_t>(ViewHeight));
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
  for (size_t i = 0; i < frame->size(); ++i) {
    const auto rgb = WidenRgb565((*frame)[i]);
    ASSERT_EQ((std::array{pixels[3 * i], pixels[3 * i + 1], pixels[3 * i + 2]}), rgb) << "pixel " << i;
  }
}

TEST(Screenshot, ASecondShotInTheSameSecondGetsASuffixAndLeavesTheFirst) {
  TempDir dir;
  const std::tm when = Moment(2026, 12, 8, 15, 30, 12);
  FrameBuffer black{};
  const auto first = SaveScreenshot(dir.Path(), black, when);
  const auto firstBytes = ReadWholeFile(first.string());
  FrameBuffer white;
  white.fill(0xFFFF);
  const auto second = SaveScreenshot(dir.Path(), white, when);
  EXPECT_EQ(second.filename(), "tobu-20261208-153012-2.png");
  EXPECT_EQ(ReadWholeFile(first.string()), firstBytes);
  EXPECT_NE(ReadWholeFile(second.string()), firstBytes);
  // Only the two pictures: the temporary files are gone.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST(Screenshot, AFolderThatCannotBeMadeIsTheGamesMessage) {
  TempDir dir;
  std::ofstream(dir.File("Screenshots")) << "a file in the way";
  FrameBuffer black{};
  try {
    SaveScreenshot(dir.Path() / "Screenshots", black, Moment(2026, 12, 8, 15, 30, 12));
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file " + dir.File("Screenshots"));
  }
}

}  // namespace
}  // namespace tobu::testing
