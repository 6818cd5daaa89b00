#pragma once
#include <string>
#include <vector>

#include "present/display.h"
#include "present/sheets.h"

namespace tobu::testing {

// A drawing layer that remembers what the game asked of it, for order and layout tests.
class RecordingDisplay : public Display {
public:
  struct Call {
    int Sheet;
    int X;
    int Y;
    int Frame;
  };

  bool SurfaceReady() override { return Ready; }
  void ClearSurface(uint16_t) override { Calls.clear(); Texts.clear(); Rects.clear(); }
  void DrawFrame(int sheet, int x, int y, int frame) override { Calls.push_back({sheet, x, y, frame}); }
  int FrameCount(int sheet) const override { return CatalogueFrameCount(sheet); }
  void PresentFrame() override { ++Presents; }
  void DrawCanvasText(int, int, const std::string& text) override { Texts.push_back(text); }
  struct Rect {
    int X, Y, W, H;
    uint16_t Colour;
    size_t AfterCalls;  // how many frames were drawn before it
  };
  void FillRect(int x, int y, int w, int h, uint16_t colour) override { Rects.push_back({x, y, w, h, colour, Calls.size()}); }
  void ShowPointer(bool shown) override { PointerShown = shown; }
  void UseTheme(int theme) override { Theme = theme; }

  // The characters drawn in the bitmap font on the line at y, spaces not being drawn.
  std::string InkOnLine(int y) const {
    std::string ink;
    for (const Call& c : Calls) {
      if (c.Sheet == SheetFont && c.Y == y) ink.push_back(static_cast<char>(c.Frame + 33));
    }
    return ink;
  }
  int CountSheet(int sheet) const {
    int n = 0;
    for (const Call& c : Calls) n += c.Sheet == sheet;
    return n;
  }
  // Index of the first call of `sheet` in this frame, or -1.
  int FirstIndexOf(int sheet) const {
    for (size_t i = 0; i < Calls.size(); ++i) {
      if (Calls[i].Sheet == sheet) return static_cast<int>(i);
    }
    return -1;
  }

  bool Ready = true;
  bool PointerShown = true;  // start-up must hide it
  int Theme = 0;             // the look the last frame was drawn in
  int Presents = 0;
  std::vector<Call> Calls;  // of the frame being drawn (cleared by ClearSurface)
  std::vector<std::string> Texts;
  std::vector<Rect> Rects;
};

inline std::string WithoutSpaces(std::string text) {
  std::erase(text, ' ');
  return text;
}

} // namespace tobu::testing
