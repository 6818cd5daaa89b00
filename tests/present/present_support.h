#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "present/display.h"
#include "present/sheets.h"
#include "present/sprite_sheet.h"

namespace tobu::testing {

// Remembers every DrawFrame in order; everything else is inert.
class RecordingDisplay : public Display {
 public:
  struct Draw {
    int Sheet, X, Y, Frame;
    friend bool operator==(const Draw&, const Draw&) = default;
  };

  bool SurfaceReady() override { return true; }
  void ClearSurface(uint16_t) override {}
  void DrawFrame(int sheet, int x, int y, int frame) override { Draws.push_back({sheet, x, y, frame}); }
  int FrameCount(int sheet) const override { return CatalogueFrameCount(sheet); }
  void PresentFrame() override {}
  void DrawCanvasText(int, int, const std::string&) override {}
  void ShowPointer(bool) override {}

  std::vector<int> Xs() const {
    std::vector<int> xs;
    for (const Draw& d : Draws) xs.push_back(d.X);
    return xs;
  }

  std::vector<Draw> Draws;
};

// A sheet of `frames` frames, each frameWidth x frameHeight, every pixel palette entry
// `fill`; palette entry i holds colours[i].
inline SpriteSheet MakeTestSheet(int frameWidth, int frameHeight, int frames, bool transparent, uint32_t key,
                                 const std::vector<uint32_t>& colours, uint8_t fill) {
  PalettedImage image;
  image.Width = frameWidth * frames;
  image.Height = frameHeight;
  for (size_t i = 0; i < colours.size(); ++i) image.Palette[i] = colours[i];
  image.Indices.assign(static_cast<size_t>(image.Width * image.Height), fill);
  const SheetSpec spec{"test", image.Width, image.Height, frameWidth, frameHeight, transparent, key};
  return MakeSpriteSheet(image, spec);
}

}  // namespace tobu::testing
