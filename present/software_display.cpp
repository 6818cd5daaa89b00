#include "present/software_display.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "present/copy_pixels.h"
#include "present/embedded_theme_sheets.h"
#include "present/themes.h"

namespace tobu {
namespace {

// Mixes one RGB565 pixel toward another by coverage / 255, channel by channel.
uint16_t Blend(uint16_t under, uint16_t over, uint32_t coverage) {
  const uint32_t keep = 255u - coverage;
  const auto mix = [&](int shift, uint32_t mask) {
    return ((((under >> shift) & mask) * keep + ((over >> shift) & mask) * coverage + 127) / 255) << shift;
  };
  return static_cast<uint16_t>(mix(11, 0x1F) | mix(5, 0x3F) | mix(0, 0x1F));
}

}  // namespace

SoftwareDisplay::SoftwareDisplay() : SoftwareDisplay(LoadEmbeddedSheets()) {
  themeSource_ = EmbeddedThemeSheet;
}

SoftwareDisplay::SoftwareDisplay(std::vector<SpriteSheet> sheets)
    : sheets_(std::move(sheets)),
      themeSheets_(static_cast<size_t>((ThemeCount - 1) * ThemedSheetCount)),
      fallbackFont_(MakeFallbackCanvasFont()) {
  for (SpriteSheet& sheet : sheets_) {
    if (sheet.RowSpans.empty()) FindOpaqueSpans(sheet);  // a sheet put together by hand
  }
}

void SoftwareDisplay::SetThemeSheetSource(ThemeSheetSource source) {
  UseTheme(0);
  themeSource_ = std::move(source);
  themeLoaded_ = {};
  for (SpriteSheet& sheet : themeSheets_) sheet = SpriteSheet{};
}

// Swapped, not copied: a theme costs nothing per frame and nothing to change.
void SoftwareDisplay::UseTheme(int theme) {
  if (theme == theme_) return;
  buffers_.Back();  // what the back buffer owes may come from the sheets being swapped
  if (theme_ != 0) SwapThemeSheets(theme_);
  theme_ = 0;
  if (theme <= 0 || theme >= ThemeCount) return;
  const size_t first = static_cast<size_t>(theme - 1) * ThemedSheetCount;
  if (themeSource_ && !std::exchange(themeLoaded_[static_cast<size_t>(theme)], true)) {
    std::vector<SpriteSheet> loaded = LoadThemeSheets(theme, themeSource_);
    std::move(loaded.begin(), loaded.end(), themeSheets_.begin() + static_cast<std::ptrdiff_t>(first));
  }
  if (themeSheets_[first].Pixels.empty()) return;
  SwapThemeSheets(theme);
  theme_ = theme;
}

void SoftwareDisplay::SwapThemeSheets(int theme) {
  const size_t first = static_cast<size_t>(theme - 1) * ThemedSheetCount;
  for (size_t k = 0; k < ThemedSheetCount; ++k) {
    const auto own = static_cast<size_t>(ThemedSheets[k]);
    if (own < sheets_.size()) std::swap(sheets_[own], themeSheets_[first + k]);
  }
}

bool SoftwareDisplay::SurfaceReady() { return true; }

void SoftwareDisplay::ClearSurface(uint16_t colour) { buffers_.Clear(colour); }

void SoftwareDisplay::FillRect(int x, int y, int w, int h, uint16_t colour) {
  // Clipped in 64 bits: a rectangle far outside the view must not wrap into it.
  const int64_t left = std::max<int64_t>(x, 0), right = std::min<int64_t>(int64_t{x} + w, ViewWidth);
  const int64_t top = std::max<int64_t>(y, 0), bottom = std::min<int64_t>(int64_t{y} + h, ViewHeight);
  if (left >= right) return;
  buffers_.Ready(static_cast<int>(top), static_cast<int>(bottom), static_cast<int>(left),
                 static_cast<int>(right), true);
  for (auto row = static_cast<int>(top); row < bottom; ++row) {
    uint16_t* to = buffers_.Row(row);
    std::fill(to + left, to + right, colour);
  }
}

void SoftwareDisplay::DrawPicture(int x, int y, const Picture& picture) {
  const int64_t left = std::max<int64_t>(x, 0),
                right = std::min<int64_t>(int64_t{x} + picture.Width, ViewWidth);
  const int64_t top = std::max<int64_t>(y, 0),
                bottom = std::min<int64_t>(int64_t{y} + picture.Height, ViewHeight);
  if (left >= right || top >= bottom) return;
  buffers_.Ready(static_cast<int>(top), static_cast<int>(bottom), static_cast<int>(left),
                 static_cast<int>(right), true);
  for (int64_t row = top; row < bottom; ++row) {
    const auto from = picture.Pixels.begin() + (row - y) * picture.Width + (left - x);
    std::copy(from, from + (right - left), buffers_.Row(static_cast<int>(row)) + left);
  }
}

void SoftwareDisplay::BlendRect(int x, int y, int w, int h, uint16_t colour, uint8_t amount) {
  const int64_t left = std::max<int64_t>(x, 0), right = std::min<int64_t>(int64_t{x} + w, ViewWidth);
  const int64_t top = std::max<int64_t>(y, 0), bottom = std::min<int64_t>(int64_t{y} + h, ViewHeight);
  if (left >= right) return;
  buffers_.Ready(static_cast<int>(top), static_cast<int>(bottom), static_cast<int>(left),
                 static_cast<int>(right), false);
  for (auto row = static_cast<int>(top); row < bottom; ++row) {
    uint16_t* to = buffers_.Row(row);
    for (int64_t column = left; column < right; ++column) to[column] = Blend(to[column], colour, amount);
  }
}

const uint16_t* SoftwareDisplay::FrameOrigin(const SpriteSheet& sheet, int frame) const {
  if (frame < 0 || frame >= sheet.Frames || sheet.FrameWidth <= 0 || sheet.FrameHeight <= 0) return nullptr;
  const int perRow = sheet.Width / sheet.FrameWidth;
  if (perRow <= 0) return nullptr;  // a sheet not loaded (or narrower than a frame)
  const int left = (frame % perRow) * sheet.FrameWidth;
  const int top = (frame / perRow) * sheet.FrameHeight;
  // A picture smaller than its catalogue entry simply lacks the frames past its edge.
  if (top + sheet.FrameHeight > sheet.Height ||
      sheet.Pixels.size() != static_cast<size_t>(sheet.Width) * static_cast<size_t>(sheet.Height))
    return nullptr;
  return sheet.Pixels.data() + static_cast<size_t>(top) * static_cast<size_t>(sheet.Width) + left;
}

bool SoftwareDisplay::ClipFrame(int sheet, int x, int y, int frame, FrameClip& clip) const {
  if (sheet < 0 || sheet >= static_cast<int>(sheets_.size())) return false;
  const SpriteSheet& source = sheets_[static_cast<size_t>(sheet)];
  const uint16_t* origin = FrameOrigin(source, frame);
  if (origin == nullptr || x >= ViewWidth || y >= ViewHeight) return false;
  const size_t firstRow = static_cast<size_t>(frame) * static_cast<size_t>(source.FrameHeight);
  if (source.RowSpans.size() < firstRow + static_cast<size_t>(source.FrameHeight) + 1) return false;
  clip = {&source,
          origin,
          source.RowSpans.data() + firstRow,
          std::max(0, -x),
          std::min(source.FrameWidth, ViewWidth - x),
          std::max(0, -y),
          std::min(source.FrameHeight, ViewHeight - y)};
  return clip.Left < clip.Right && clip.Top < clip.Bottom;
}

void SoftwareDisplay::DrawFrame(int sheet, int x, int y, int frame) {
  // Clipped to the view in frame columns and rows; each span is clipped to the columns.
  FrameClip clip;
  if (!ClipFrame(sheet, x, y, frame, clip)) return;
  const SpriteSheet& source = *clip.Sheet;
  const int left = clip.Left, right = clip.Right, top = clip.Top, bottom = clip.Bottom;
  const auto pitch = static_cast<size_t>(source.Width);
  const uint16_t* from = clip.Origin + static_cast<size_t>(top) * pitch;
  const uint32_t* rowSpans = clip.RowSpans + static_cast<size_t>(top);
  const OpaqueSpan* spans = source.Spans.data();
  if (!source.Transparent && buffers_.Defer(y + top, y + bottom, x + left, x + right, from + left, pitch))
    return;
  buffers_.Ready(y + top, y + bottom, x + left, x + right, !source.Transparent);
  if (!source.Transparent) {  // one span a row: copy the clipped rows whole
    const auto width = static_cast<size_t>(right - left);
    for (int row = top; row < bottom; ++row, from += pitch)
      CopyPixels(buffers_.Row(y + row) + (x + left), from + left, width);
  } else if (left == 0 && right == source.FrameWidth) {  // the usual case: no column clipped
    for (int row = top; row < bottom; ++row, from += pitch, ++rowSpans) {
      uint16_t* to = buffers_.Row(y + row) + x;
      for (const OpaqueSpan* span = spans + rowSpans[0]; span != spans + rowSpans[1]; ++span)
        CopyPixels(to + span->Start, from + span->Start, span->Length);
    }
  } else {
    for (int row = top; row < bottom; ++row, from += pitch, ++rowSpans) {
      uint16_t* to = buffers_.Row(y + row) + x;
      for (const OpaqueSpan* span = spans + rowSpans[0]; span != spans + rowSpans[1]; ++span) {
        const int start = std::max<int>(span->Start, left);
        const int end = std::min<int>(span->Start + span->Length, right);
        if (start < end) CopyPixels(to + start, from + start, static_cast<size_t>(end - start));
      }
    }
  }
}

// An opaque frame tiled edge to edge is drawn once per row of the first band and then
// repeated: each row is doubled along itself, and each later band copies the first.
void SoftwareDisplay::DrawFrameTiled(int sheet, int frame, int stepX, int stepY, int across, int down) {
  FrameClip clip;
  if (!ClipFrame(sheet, 0, 0, frame, clip) || clip.Sheet->Transparent || stepX != clip.Sheet->FrameWidth ||
      stepY != clip.Sheet->FrameHeight || across < 1 || down < 1)
    return Display::DrawFrameTiled(sheet, frame, stepX, stepY, across, down);
  // Both stay within the view; the products cannot overflow once the counts are clamped.
  const int width = std::min(ViewWidth, stepX * std::min(across, ViewWidth));
  const int height = std::min(ViewHeight, stepY * std::min(down, ViewHeight));
  buffers_.Ready(0, height, 0, width, true);
  const auto pitch = static_cast<size_t>(clip.Sheet->Width);
  for (int row = 0; row < height; ++row) {
    uint16_t* to = buffers_.Row(row);
    if (row >= stepY) {
      CopyPixels(to, buffers_.Row(row % stepY), static_cast<size_t>(width));
      continue;
    }
    CopyPixels(to, clip.Origin + static_cast<size_t>(row) * pitch,
               static_cast<size_t>(std::min(stepX, width)));
    for (int done = stepX; done < width; done *= 2)
      CopyPixels(to + done, to, static_cast<size_t>(std::min(done, width - done)));
  }
}

void SoftwareDisplay::DrawFrameScaled(int sheet, int x, int y, int frame, int factor) {
  if (sheet < 0 || sheet >= static_cast<int>(sheets_.size()) || factor < 1) return;
  const SpriteSheet& source = sheets_[static_cast<size_t>(sheet)];
  const uint16_t* origin = FrameOrigin(source, frame);
  const size_t firstRow = static_cast<size_t>(frame) * static_cast<size_t>(source.FrameHeight);
  if (origin == nullptr || source.RowSpans.size() < firstRow + static_cast<size_t>(source.FrameHeight) + 1)
    return;
  for (int row = 0; row < source.FrameHeight; ++row) {
    const uint32_t* rowSpans = source.RowSpans.data() + firstRow + static_cast<size_t>(row);
    for (uint32_t i = rowSpans[0]; i != rowSpans[1]; ++i) {
      const OpaqueSpan& span = source.Spans[i];
      for (int column = span.Start; column < span.Start + span.Length; ++column) {
        const uint16_t pixel = origin[static_cast<size_t>(row) * static_cast<size_t>(source.Width) + column];
        FillRect(x + column * factor, y + row * factor, factor, factor, pixel);
      }
    }
  }
}

void SoftwareDisplay::DrawFrameSilhouette(int sheet, int x, int y, int frame, uint16_t colour) {
  FrameClip clip;
  if (!ClipFrame(sheet, x, y, frame, clip)) return;
  buffers_.Ready(y + clip.Top, y + clip.Bottom, x + clip.Left, x + clip.Right, false);
  for (int row = clip.Top; row < clip.Bottom; ++row) {
    uint16_t* to = buffers_.Row(y + row) + x;
    const uint32_t* rowSpans = clip.RowSpans + static_cast<size_t>(row);
    for (uint32_t i = rowSpans[0]; i != rowSpans[1]; ++i) {
      const OpaqueSpan& span = clip.Sheet->Spans[i];
      const int end = std::min<int>(span.Start + span.Length, clip.Right);
      for (int column = std::max<int>(span.Start, clip.Left); column < end; ++column) to[column] = colour;
    }
  }
}

// Every other row and column of the frame's opaque pixels, clipped to the view.
void SoftwareDisplay::DrawFrameHalfSize(int sheet, int x, int y, int frame) {
  if (sheet < 0 || sheet >= static_cast<int>(sheets_.size())) return;
  const SpriteSheet& source = sheets_[static_cast<size_t>(sheet)];
  const uint16_t* origin = FrameOrigin(source, frame);
  const size_t firstRow = static_cast<size_t>(frame) * static_cast<size_t>(source.FrameHeight);
  if (origin == nullptr || source.RowSpans.size() < firstRow + static_cast<size_t>(source.FrameHeight) + 1)
    return;
  // The frame's half-size box, clipped to the view, is made ready once.
  const int top = std::max(y, 0), bottom = std::min(y + (source.FrameHeight + 1) / 2, ViewHeight);
  const int left = std::max(x, 0), right = std::min(x + (source.FrameWidth + 1) / 2, ViewWidth);
  if (top >= bottom || left >= right) return;
  buffers_.Ready(top, bottom, left, right, false);
  for (int row = 0; row < source.FrameHeight; row += 2) {
    const uint32_t* rowSpans = source.RowSpans.data() + firstRow + static_cast<size_t>(row);
    for (uint32_t i = rowSpans[0]; i != rowSpans[1]; ++i) {
      const OpaqueSpan& span = source.Spans[i];
      for (int column = span.Start + span.Start % 2; column < span.Start + span.Length; column += 2) {
        const uint16_t pixel = origin[static_cast<size_t>(row) * static_cast<size_t>(source.Width) + column];
        const int tx = x + column / 2, ty = y + row / 2;
        if (tx >= 0 && tx < ViewWidth && ty >= 0 && ty < ViewHeight)
          buffers_.Row(ty)[tx] = pixel;
      }
    }
  }
}

// Mixed pixel by pixel: each channel is the sum of both halves, rounded down (the low
// bit of every channel is dropped before the halves are added, so no channel carries).
void SoftwareDisplay::DrawFrameHalfTransparent(int sheet, int x, int y, int frame) {
  FrameClip clip;
  if (!ClipFrame(sheet, x, y, frame, clip)) return;
  const auto pitch = static_cast<size_t>(clip.Sheet->Width);
  buffers_.Ready(y + clip.Top, y + clip.Bottom, x + clip.Left, x + clip.Right, false);
  for (int row = clip.Top; row < clip.Bottom; ++row) {
    const uint16_t* from = clip.Origin + static_cast<size_t>(row) * pitch;
    uint16_t* to = buffers_.Row(y + row) + x;
    const uint32_t* rowSpans = clip.RowSpans + static_cast<size_t>(row);
    for (uint32_t i = rowSpans[0]; i != rowSpans[1]; ++i) {
      const OpaqueSpan& span = clip.Sheet->Spans[i];
      const int end = std::min<int>(span.Start + span.Length, clip.Right);
      for (int column = std::max<int>(span.Start, clip.Left); column < end; ++column) {
        to[column] = static_cast<uint16_t>(((to[column] & 0xF7DEu) >> 1) + ((from[column] & 0xF7DEu) >> 1));
      }
    }
  }
}

int SoftwareDisplay::FrameCount(int sheet) const {
  if (sheet < 0 || sheet >= static_cast<int>(sheets_.size())) return 0;
  return sheets_[static_cast<size_t>(sheet)].Frames;
}

void SoftwareDisplay::PresentFrame() {
  buffers_.Present();
  ++presentCount_;
}

void SoftwareDisplay::DrawCanvasText(int x, int y, const std::string& text) {
  DrawCanvasText(x, y, text, 0xFFFF);
}

void SoftwareDisplay::DrawCanvasText(int x, int y, const std::string& text, uint16_t colour) {
  CanvasFont* font = canvasFont_ != nullptr ? canvasFont_ : fallbackFont_.get();
  if (font == nullptr || text.empty() || x >= ViewWidth || y >= ViewHeight) return;
  const TextMask mask = font->Render(text);
  if (mask.Coverage.size() < static_cast<size_t>(mask.Width) * static_cast<size_t>(std::max(mask.Height, 0)))
    return;
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + mask.Width, ViewWidth), y1 = std::min(y + mask.Height, ViewHeight);
  if (x0 >= x1) return;
  buffers_.Ready(y0, y1, x0, x1, false);
  for (int row = y0; row < y1; ++row) {
    const uint8_t* coverage =
        mask.Coverage.data() + static_cast<size_t>(row - y) * static_cast<size_t>(mask.Width);
    uint16_t* to = buffers_.Row(row);
    for (int column = x0; column < x1; ++column) {
      const uint8_t ink = coverage[column - x];
      if (ink != 0) to[column] = Blend(to[column], colour, ink);
    }
  }
}

void SoftwareDisplay::LoadBackBuffer(const FrameBuffer& frame) { buffers_.Load(frame); }

void SoftwareDisplay::ShadeRect(int x, int y, int width, int height) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + std::max(width, 0), ViewWidth),
            y1 = std::min(y + std::max(height, 0), ViewHeight);
  if (x0 >= x1) return;
  buffers_.Ready(y0, y1, x0, x1, false);
  for (int row = y0; row < y1; ++row) {
    uint16_t* to = buffers_.Row(row);
    // Each channel halved: shift the whole pixel and drop the bit each channel lent its neighbour.
    for (int column = x0; column < x1; ++column)
      to[column] = static_cast<uint16_t>((to[column] >> 1) & 0x7BEFu);
  }
}

void SoftwareDisplay::OutlineRect(int x, int y, int width, int height, uint16_t colour) {
  const auto plot = [&](int px, int py) {
    if (px < 0 || px >= ViewWidth || py < 0 || py >= ViewHeight) return;
    buffers_.Ready(py, py + 1, px, px + 1, true);
    buffers_.Row(py)[px] = colour;
  };
  for (int i = 0; i < width; ++i) {
    plot(x + i, y);
    plot(x + i, y + height - 1);
  }
  for (int i = 0; i < height; ++i) {
    plot(x, y + i);
    plot(x + width - 1, y + i);
  }
}

void SoftwareDisplay::ShowPointer(bool shown) { pointerShown_ = shown; }

void SoftwareDisplay::SetCanvasFont(CanvasFont* font) { canvasFont_ = font; }

}  // namespace tobu
