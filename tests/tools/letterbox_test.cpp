// Where the frame lies in the window, how the mouse maps back into back-buffer pixels,
// and the scaler that draws the frame there with the same rule.
#ifdef TOBU_HAVE_PLATFORM
#include "platform/letterbox.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/frame_scaler.h"

namespace tobu {
namespace {

TEST(FitFrame, WholeMultiplesWhenTheyFillMostOfTheWindowElseStretched) {
  struct Case {
    int Width, Height;
    FrameRect Expected;
  };
  const Case cases[] = {
      {640, 480, {0, 0, 640, 480}},                              // the frame itself
      {641, 481, {0, 0, 640, 480}},                              // the odd pixel left over
      {1024, 768, {0, 0, 1024, 768}},                            // 1x fills 62%: stretched by 1.6
      {800, 600, {0, 0, 800, 600}},                              // 1x fills 80%: stretched
      {700, 480, {30, 0, 640, 480}},                             // 1x fills all the height
      {1920, 1080, {320, 60, 1280, 960}},                        // 2x fills 89% of 2.25x
      {1280, 1024, {0, 32, 1280, 960}},                          // 2x, bars above and below
      {2560, 1440, {320, 0, 1920, 1440}},                        // 3x
      {1366, 768, {171, 0, 1024, 768}},                          // wide: bars left and right
      {1000, 500, {180, 10, 640, 480}},                          // 1x fills 96% of the height
      {1000, 1000, {0, 125, 1000, 750}},                         // tall: bars above and below
      {320, 240, {0, 0, 320, 240}},                              // smaller than the frame: shrunk
      {321, 100, {94, 0, 133, 100}},      {0, 0, {0, 0, 1, 1}},  // no window yet: still a frame to divide by
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Width) + " x " + std::to_string(c.Height));
    EXPECT_EQ(FitFrame(c.Width, c.Height), c.Expected);
  }
}

TEST(FitFrame, WholeMultiplesOnlyWhenAsked) {
  EXPECT_EQ(FitFrame(1024, 768, true), (FrameRect{192, 144, 640, 480}));
  EXPECT_EQ(FitFrame(1900, 1000, true), (FrameRect{310, 20, 1280, 960}));  // 2x, though 2.08x would fit
  EXPECT_EQ(FitFrame(1920, 1440, true), (FrameRect{0, 0, 1920, 1440}));
  EXPECT_EQ(FitFrame(320, 240, true), (FrameRect{0, 0, 320, 240}));  // below 1x it still shrinks
}

TEST(WindowToFrame, MapsThroughTheFrameAndBeyondItsEdges) {
  struct Case {
    FrameRect Frame;
    int X, Y;
    FramePoint Expected;
  };
  const FrameRect same{0, 0, 640, 480};
  const FrameRect stretched{0, 0, 1024, 768};
  const FrameRect doubled{320, 60, 1280, 960};
  const FrameRect shrunk{0, 0, 320, 240};
  const Case cases[] = {
      {same, 0, 0, {0, 0}},           {same, 639, 479, {639, 479}},       {same, -3, 500, {-3, 500}},
      {stretched, 0, 0, {0, 0}},      {stretched, 1, 1, {0, 0}},  // 1.6 window pixels to a frame pixel
      {stretched, 2, 2, {1, 1}},      {stretched, 1023, 767, {639, 479}}, {stretched, 1024, 768, {640, 480}},
      {stretched, -1, -1, {-1, -1}},  // left of the frame is below 0, not 0
      {stretched, -2, -3, {-2, -2}},  {doubled, 320, 60, {0, 0}},         {doubled, 321, 61, {0, 0}},
      {doubled, 319, 59, {-1, -1}},   {doubled, 1599, 1019, {639, 479}},  {doubled, 1600, 1020, {640, 480}},
      {doubled, 0, 0, {-160, -30}},   {doubled, 1919, 1079, {799, 509}},  {shrunk, 1, 1, {2, 2}},
      {shrunk, 319, 239, {638, 478}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.X) + ", " + std::to_string(c.Y) + " in a frame " +
                 std::to_string(c.Frame.Width) + " wide at " + std::to_string(c.Frame.X));
    EXPECT_EQ(WindowToFrame(c.Frame, c.X, c.Y), c.Expected);
  }
}

// Every RGB565 value, in reading order.
std::unique_ptr<FrameBuffer> EveryColour() {
  auto frame = std::make_unique<FrameBuffer>();
  for (size_t i = 0; i < frame->size(); ++i)
    (*frame)[i] = static_cast<uint16_t>(i * 7);  // 7 is odd: all values
  return frame;
}

// Each colour within one step of SDL's own conversion (which rounds some widened values
// down, white's green to 0xFE among them), white and black exact, the other bits set.
TEST(FrameScaler, ConvertsColoursLikeSdl) {
  const std::unique_ptr<FrameBuffer> frame = EveryColour();
  auto blackAndWhite = std::make_unique<FrameBuffer>();
  (*blackAndWhite)[0] = 0xFFFF;
  for (const uint32_t format : {SDL_PIXELFORMAT_XRGB8888, SDL_PIXELFORMAT_ARGB8888, SDL_PIXELFORMAT_ABGR8888,
                                SDL_PIXELFORMAT_BGRX8888}) {
    SCOPED_TRACE(SDL_GetPixelFormatName(format));
    SDL_PixelFormat* layout = SDL_AllocFormat(format);
    ASSERT_NE(layout, nullptr);
    const uint32_t otherBits = ~(layout->Rmask | layout->Gmask | layout->Bmask);
    FrameScaler scaler(PixelLayout{layout->Rshift, layout->Gshift, layout->Bshift, otherBits});
    SDL_FreeFormat(layout);
    std::vector<uint32_t> ours(ViewWidth * ViewHeight);
    std::vector<uint32_t> sdl(ViewWidth * ViewHeight);
    scaler.Draw(*frame, ours.data(), ViewWidth, ViewWidth, ViewHeight);
    ASSERT_EQ(SDL_ConvertPixels(ViewWidth, ViewHeight, SDL_PIXELFORMAT_RGB565, frame->data(), 2 * ViewWidth,
                                format, sdl.data(), 4 * ViewWidth),
              0);
    for (size_t i = 0; i < ours.size(); ++i) {
      for (int shift = 0; shift < 32; shift += 8) {
        const int difference =
            static_cast<int>((ours[i] >> shift) & 0xFF) - static_cast<int>((sdl[i] >> shift) & 0xFF);
        if (difference < -1 || difference > 1) {
          FAIL() << "colour " << (*frame)[i] << ": " << std::hex << ours[i] << " not " << sdl[i];
        }
      }
    }
    scaler.Draw(*blackAndWhite, ours.data(), ViewWidth, ViewWidth, ViewHeight);
    EXPECT_EQ(ours[0], 0xFFFFFFFFu);
    EXPECT_EQ(ours[1], otherBits);
  }
}

// What is drawn at a window pixel is what the mouse there points at.
TEST(FrameScaler, DrawsEachPixelFromWhereTheMouseMapsIt) {
  const std::unique_ptr<FrameBuffer> frame = EveryColour();
  FrameScaler scaler(PixelLayout{});
  std::vector<uint32_t> plain(ViewWidth * ViewHeight);
  scaler.Draw(*frame, plain.data(), ViewWidth, ViewWidth, ViewHeight);
  const std::pair<int, int> sizes[] = {{1024, 768}, {1280, 960}, {800, 600},
                                       {641, 479},  {320, 240},  {1000, 500}};
  constexpr uint32_t Untouched = 0xDEADBEEF;
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    const int pitch = width + 3;  // rows wider than the picture, as in a window with borders
    std::vector<uint32_t> target(static_cast<size_t>(pitch) * height, Untouched);
    scaler.Draw(*frame, target.data(), pitch, width, height);
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < pitch; ++x) {
        const uint32_t drawn = target[static_cast<size_t>(y) * pitch + x];
        const FramePoint source = WindowToFrame(FrameRect{0, 0, width, height}, x, y);
        const uint32_t expected = x < width ? plain[source.Y * ViewWidth + source.X] : Untouched;
        if (drawn != expected && ++wrong <= 3) ADD_FAILURE() << "at " << x << ", " << y;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

// Drawing a band of rows changes exactly the window rows that show them, as a whole
// drawing of the new frame would, and leaves every other row as it was.
TEST(FrameScaler, DrawsOnlyTheRowsOfABand) {
  const std::unique_ptr<FrameBuffer> before = EveryColour();
  auto after = std::make_unique<FrameBuffer>();
  for (size_t i = 0; i < after->size(); ++i) (*after)[i] = static_cast<uint16_t>(~(*before)[i]);
  const std::pair<int, int> sizes[] = {{640, 480},  {1280, 960}, {1920, 1440},
                                       {1024, 768}, {800, 600},  {320, 240}};
  const std::pair<int, int> bands[] = {{0, 480}, {0, 1}, {479, 480}, {100, 137}, {5, 5}, {-3, 2}, {470, 999}};
  FrameScaler scaler(PixelLayout{});
  for (const auto& [width, height] : sizes) {
    std::vector<uint32_t> old(static_cast<size_t>(width) * height), fresh(old.size());
    scaler.Draw(*before, old.data(), width, width, height);
    scaler.Draw(*after, fresh.data(), width, width, height);
    for (const auto& [first, end] : bands) {
      SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + ", rows " +
                   std::to_string(first) + " to " + std::to_string(end));
      std::vector<uint32_t> target = old;
      scaler.DrawRows(*after, first, end, target.data(), width, width, height);
      int wrong = 0;
      for (int y = 0; y < height; ++y) {
        const int row = y * ViewHeight / height;
        const std::vector<uint32_t>& expected = row >= first && row < end ? fresh : old;
        const size_t at = static_cast<size_t>(y) * width;
        wrong += !std::equal(target.begin() + at, target.begin() + at + width, expected.begin() + at);
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

}  // namespace
}  // namespace tobu
#endif
