// present/: the drawing: the display interface and its software back buffer, the sprite
// sheets, the game view, bitmap text, themes. Includes world/ only; draws state and
// never changes it.
#pragma once
#include <cstdint>
#include <string>

namespace tobu {

constexpr int ViewWidth = 640;
constexpr int ViewHeight = 480;

// What the game draws with. The one real implementation is the software back buffer
// (present/software_display.h); tests may record calls with a double.
// The canvas text's width per character, near enough to centre a line by.
constexpr int CanvasAdvance = 6;

class Display {
 public:
  virtual ~Display() = default;
  // The back buffer can be drawn on and presented this tick.
  virtual bool SurfaceReady() = 0;
  // Fills the back buffer with one RGB565 colour (the game passes 0, black).
  virtual void ClearSurface(uint16_t colour) = 0;
  // Copies one frame with its top-left corner at (x, y), clipped to the back buffer,
  // skipping the sheet's key pixels; an out-of-range frame draws nothing.
  virtual void DrawFrame(int sheet, int x, int y, int frame) = 0;
  virtual int FrameCount(int sheet) const = 0;
  // `across` x `down` copies of one frame, the first at (0, 0), each `stepX` right of the
  // one before and each row of them `stepY` below (the menus' wallpaper).
  virtual void DrawFrameTiled(int sheet, int frame, int stepX, int stepY, int across, int down) {
    for (int j = 0; j < down; ++j) {
      for (int i = 0; i < across; ++i) DrawFrame(sheet, stepX * i, stepY * j, frame);
    }
  }
  // As DrawFrame, each drawn pixel mixed half and half with the one beneath (the ghost).
  // A display that cannot mix draws nothing.
  virtual void DrawFrameHalfTransparent(int /*sheet*/, int /*x*/, int /*y*/, int /*frame*/) {}
  // The back buffer becomes the presented frame.
  virtual void PresentFrame() = 0;
  // One line of white 8-point text with a transparent background (the editor's prompt).
  // Its glyphs come from the platform's font, about CanvasAdvance pixels apiece.
  virtual void DrawCanvasText(int x, int y, const std::string& text) = 0;
  // The same line in another colour (plus's dimmer labels); white where it cannot.
  virtual void DrawCanvasText(int x, int y, const std::string& text, uint16_t /*colour*/) {
    DrawCanvasText(x, y, text);
  }
  // A frame's opaque pixels all in one colour (the outline of plus's text).
  virtual void DrawFrameSilhouette(int /*sheet*/, int /*x*/, int /*y*/, int /*frame*/, uint16_t /*colour*/) {}
  // A frame with each pixel drawn as a `factor` x `factor` block (big letters).
  virtual void DrawFrameScaled(int /*sheet*/, int /*x*/, int /*y*/, int /*frame*/, int /*factor*/) {}
  // A frame at half its size, every other pixel of every other row (the HUD's icons).
  virtual void DrawFrameHalfSize(int /*sheet*/, int /*x*/, int /*y*/, int /*frame*/) {}
  // Fills a w x h rectangle at (x, y) with one RGB565 colour, clipped to the back buffer
  // (the editor's grid). Displays that only count or time frames may ignore it.
  virtual void FillRect(int /*x*/, int /*y*/, int /*w*/, int /*h*/, uint16_t /*colour*/) {}
  // Halves the brightness of a rectangle, clipped to the back buffer (the cards' bands).
  virtual void ShadeRect(int /*x*/, int /*y*/, int /*width*/, int /*height*/) {}
  // Mixes a w x h rectangle toward one RGB565 colour by amount / 255, clipped to the back
  // buffer (plus's flashes and bands). Displays that cannot mix draw nothing.
  virtual void BlendRect(int /*x*/, int /*y*/, int /*w*/, int /*h*/, uint16_t /*colour*/,
                         uint8_t /*amount*/) {}
  // A one-pixel frame just inside a rectangle, clipped.
  virtual void OutlineRect(int /*x*/, int /*y*/, int /*width*/, int /*height*/, uint16_t /*colour*/) {}
  virtual void ShowPointer(bool shown) = 0;
  // Draws the sky and the tiles in theme `theme` (present/themes.h) from now on; 0 is the
  // game's own look. A display without themes keeps its sheets.
  virtual void UseTheme(int /*theme*/) {}
};

// A line of canvas text centred across the view, as near as CanvasAdvance allows.
inline void DrawCanvasTextCentred(Display& display, int y, const std::string& text, uint16_t colour) {
  display.DrawCanvasText((ViewWidth - CanvasAdvance * static_cast<int>(text.size())) / 2, y, text, colour);
}

}  // namespace tobu
