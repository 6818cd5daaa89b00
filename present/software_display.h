#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "present/canvas_font.h"
#include "present/display.h"
#include "present/double_buffer.h"
#include "present/picture.h"
#include "present/sprite_sheet.h"
#include "present/themes.h"

namespace tobu {

// The game's drawing layer: a 640 x 480 RGB565 back buffer in memory. The window
// shows the presented copy; tests and tobu-script read it pixel by pixel.
class SoftwareDisplay : public Display {
 public:
  SoftwareDisplay();  // the catalogue's sheets built into the program
  explicit SoftwareDisplay(std::vector<SpriteSheet> sheets);

  bool SurfaceReady() override;
  void ClearSurface(uint16_t colour) override;
  void DrawFrame(int sheet, int x, int y, int frame) override;
  void DrawFrameTiled(int sheet, int frame, int stepX, int stepY, int across, int down) override;
  void DrawFrameHalfTransparent(int sheet, int x, int y, int frame) override;
  int FrameCount(int sheet) const override;
  void PresentFrame() override;
  void DrawCanvasText(int x, int y, const std::string& text) override;
  void DrawCanvasText(int x, int y, const std::string& text, uint16_t colour) override;
  void DrawFrameSilhouette(int sheet, int x, int y, int frame, uint16_t colour) override;
  void DrawFrameHalfSize(int sheet, int x, int y, int frame) override;
  void FillRect(int x, int y, int w, int h, uint16_t colour) override;
  void BlendRect(int x, int y, int w, int h, uint16_t colour, uint8_t amount) override;
  void ShowPointer(bool shown) override;
  void UseTheme(int theme) override;
  // Where the themes' sheets come from (the built-in ones unless set); before a theme is used.
  void SetThemeSheetSource(ThemeSheetSource source);

  // Overlays drawn over a kept frame: the back buffer becomes `frame`, and a rectangle
  // (clipped to the view) is darkened to half its brightness.
  void LoadBackBuffer(const FrameBuffer& frame);
  void ShadeRect(int x, int y, int width, int height) override;
  void DrawFrameScaled(int sheet, int x, int y, int frame, int factor) override;
  // Copies a picture with its top-left corner at (x, y), clipped to the view.
  void DrawPicture(int x, int y, const Picture& picture);
  // A one-pixel outline of a rectangle in one RGB565 colour, clipped to the view.
  void OutlineRect(int x, int y, int width, int height, uint16_t colour) override;

  // The canvas font is not owned; without one the built-in fallback draws.
  void SetCanvasFont(CanvasFont* font);
  const FrameBuffer& BackBuffer() const { return buffers_.Back(); }
  const FrameBuffer& Presented() const { return buffers_.Presented(); }
  uint64_t PresentCount() const { return presentCount_; }
  bool PointerShown() const { return pointerShown_; }

 private:
  // Where a frame's pixels start in its sheet, or nullptr when the frame cannot be drawn.
  const uint16_t* FrameOrigin(const SpriteSheet& sheet, int frame) const;
  // The part of a frame drawn at (x, y) that lies in the view, in frame rows and columns.
  struct FrameClip {
    const SpriteSheet* Sheet = nullptr;
    const uint16_t* Origin = nullptr;    // the frame's top-left pixel in the sheet
    const uint32_t* RowSpans = nullptr;  // of the frame's first row
    int Left = 0, Right = 0, Top = 0, Bottom = 0;
  };
  // False when nothing of the frame is drawn.
  bool ClipFrame(int sheet, int x, int y, int frame, FrameClip& clip) const;

  void SwapThemeSheets(int theme);

  std::vector<SpriteSheet> sheets_;
  // The other themes' sheets; a theme in use trades places with the game's own. Each
  // theme's are decoded from the source when it is first used.
  std::vector<SpriteSheet> themeSheets_;
  ThemeSheetSource themeSource_;
  std::array<bool, ThemeCount> themeLoaded_{};
  int theme_ = 0;
  DoubleBuffer buffers_;
  std::unique_ptr<CanvasFont> fallbackFont_;
  CanvasFont* canvasFont_ = nullptr;
  uint64_t presentCount_ = 0;
  bool pointerShown_ = false;
};

}  // namespace tobu
