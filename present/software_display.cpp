#include "present/software_display.h"

#include <algorithm>
#include <cstring>

namespace tobu {
namespace {

std::vector<uint16_t> InkMask(const SpriteSheet& sheet) {
  std::vector<uint16_t> mask(sheet.Pixels.size(), 0xFFFF);
  if (sheet.Transparent && sheet.IsKey.size() == mask.size()) {
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = sheet.IsKey[i] ? 0 : 0xFFFF;
  }
  return mask;
}

// Rows of sprites are short (15 to 640 pixels): fixed 16-byte moves avoid the start-up
// cost of a general memcpy, which dominated the frame time.
void CopyRow(uint16_t* to, const uint16_t* from, size_t width) {
  size_t i = 0;
  for (; i + 8 <= width; i += 8) std::memcpy(to + i, from + i, 16);
  for (; i < width; ++i) to[i] = from[i];
}

// Keeps the back buffer where the mask is 0 (the key) and takes the sprite where it is
// 0xFFFF, four pixels per 64-bit word.
void BlendRow(uint16_t* to, const uint16_t* from, const uint16_t* mask, size_t width) {
  size_t i = 0;
  for (; i + 4 <= width; i += 4) {
    uint64_t under, over, ink;
    std::memcpy(&under, to + i, 8);
    std::memcpy(&over, from + i, 8);
    std::memcpy(&ink, mask + i, 8);
    under = (under & ~ink) | (over & ink);
    std::memcpy(to + i, &under, 8);
  }
  for (; i < width; ++i) to[i] = static_cast<uint16_t>((to[i] & ~mask[i]) | (from[i] & mask[i]));
}

// Mixes one RGB565 pixel toward white by coverage / 255, channel by channel.
uint16_t BlendWhite(uint16_t under, uint8_t coverage) {
  const uint32_t r = (under >> 11) & 0x1F, g = (under >> 5) & 0x3F, b = under & 0x1F;
  const uint32_t keep = 255u - coverage;
  const uint32_t nr = (r * keep + 0x1Fu * coverage + 127) / 255;
  const uint32_t ng = (g * keep + 0x3Fu * coverage + 127) / 255;
  const uint32_t nb = (b * keep + 0x1Fu * coverage + 127) / 255;
  return static_cast<uint16_t>((nr << 11) | (ng << 5) | nb);
}

}  // namespace

SoftwareDisplay::SoftwareDisplay() : SoftwareDisplay(LoadEmbeddedSheets()) {}

SoftwareDisplay::SoftwareDisplay(std::vector<SpriteSheet> sheets)
    : sheets_(std::move(sheets)),
      backBuffer_(std::make_unique<FrameBuffer>()),
      presented_(std::make_unique<FrameBuffer>()),
      fallbackFont_(MakeFallbackCanvasFont()) {
  backBuffer_->fill(0);
  presented_->fill(0);
  inkMasks_.reserve(sheets_.size());
  for (const SpriteSheet& sheet : sheets_) inkMasks_.push_back(InkMask(sheet));
}

bool SoftwareDisplay::SurfaceReady() { return true; }

void SoftwareDisplay::ClearSurface(uint16_t colour) { backBuffer_->fill(colour); }

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

void SoftwareDisplay::DrawFrame(int sheet, int x, int y, int frame) {
  if (sheet < 0 || sheet >= static_cast<int>(sheets_.size())) return;
  const SpriteSheet& source = sheets_[static_cast<size_t>(sheet)];
  const uint16_t* origin = FrameOrigin(source, frame);
  if (origin == nullptr || x >= ViewWidth || y >= ViewHeight) return;

  // Clip the destination to the view; the source shrinks by the same amounts.
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + source.FrameWidth, ViewWidth),
            y1 = std::min(y + source.FrameHeight, ViewHeight);
  if (x0 >= x1 || y0 >= y1) return;
  const auto width = static_cast<size_t>(x1 - x0);
  const auto pitch = static_cast<size_t>(source.Width);
  const size_t skip = static_cast<size_t>(y0 - y) * pitch + static_cast<size_t>(x0 - x);
  const uint16_t* from = origin + skip;
  uint16_t* to = backBuffer_->data() + static_cast<size_t>(y0) * ViewWidth + x0;

  if (!source.Transparent) {
    for (int row = y0; row < y1; ++row, from += pitch, to += ViewWidth) CopyRow(to, from, width);
    return;
  }
  const uint16_t* mask = inkMasks_[static_cast<size_t>(sheet)].data() + (from - source.Pixels.data());
  for (int row = y0; row < y1; ++row, from += pitch, mask += pitch, to += ViewWidth)
    BlendRow(to, from, mask, width);
}

// Mixed pixel by pixel: each channel is the sum of both halves, rounded down (the low
// bit of every channel is dropped before the halves are added, so no channel carries).
void SoftwareDisplay::DrawFrameHalfTransparent(int sheet, int x, int y, int frame) {
  if (sheet < 0 || sheet >= static_cast<int>(sheets_.size())) return;
  const SpriteSheet& source = sheets_[static_cast<size_t>(sheet)];
  const uint16_t* origin = FrameOrigin(source, frame);
  if (origin == nullptr || x >= ViewWidth || y >= ViewHeight) return;
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + source.FrameWidth, ViewWidth),
            y1 = std::min(y + source.FrameHeight, ViewHeight);
  const auto pitch = static_cast<size_t>(source.Width);
  const std::vector<uint16_t>& ink = inkMasks_[static_cast<size_t>(sheet)];
  for (int row = y0; row < y1; ++row) {
    const size_t start = static_cast<size_t>(origin - source.Pixels.data()) +
                         static_cast<size_t>(row - y) * pitch + static_cast<size_t>(x0 - x);
    uint16_t* to = backBuffer_->data() + static_cast<size_t>(row) * ViewWidth;
    for (int column = x0; column < x1; ++column) {
      const size_t at = start + static_cast<size_t>(column - x0);
      if (ink[at] == 0) continue;
      const uint16_t over = source.Pixels[at];
      to[column] = static_cast<uint16_t>(((to[column] & 0xF7DEu) >> 1) + ((over & 0xF7DEu) >> 1));
    }
  }
}

int SoftwareDisplay::FrameCount(int sheet) const {
  if (sheet < 0 || sheet >= static_cast<int>(sheets_.size())) return 0;
  return sheets_[static_cast<size_t>(sheet)].Frames;
}

void SoftwareDisplay::PresentFrame() {
  *presented_ = *backBuffer_;
  ++presentCount_;
}

void SoftwareDisplay::DrawCanvasText(int x, int y, const std::string& text) {
  CanvasFont* font = canvasFont_ != nullptr ? canvasFont_ : fallbackFont_.get();
  if (font == nullptr || text.empty() || x >= ViewWidth || y >= ViewHeight) return;
  const TextMask mask = font->Render(text);
  if (mask.Coverage.size() < static_cast<size_t>(mask.Width) * static_cast<size_t>(std::max(mask.Height, 0)))
    return;
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + mask.Width, ViewWidth), y1 = std::min(y + mask.Height, ViewHeight);
  for (int row = y0; row < y1; ++row) {
    const uint8_t* coverage =
        mask.Coverage.data() + static_cast<size_t>(row - y) * static_cast<size_t>(mask.Width);
    uint16_t* to = backBuffer_->data() + static_cast<size_t>(row) * ViewWidth;
    for (int column = x0; column < x1; ++column) {
      const uint8_t ink = coverage[column - x];
      if (ink != 0) to[column] = BlendWhite(to[column], ink);
    }
  }
}

void SoftwareDisplay::ShowPointer(bool shown) { pointerShown_ = shown; }

void SoftwareDisplay::SetCanvasFont(CanvasFont* font) { canvasFont_ = font; }

}  // namespace tobu
