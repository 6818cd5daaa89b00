// The clock digits: white seven-segment figures and a colon on black. The one is a
// stem with a flag and a foot in the middle of its cell, so that it fills the cell as
// the other digits do and a time reads as one number.
#include <cmath>

#include "art.h"

namespace art {
namespace {

// A segment with pointed ends from p to q, `half` thick on each side.
void Segment(Layer& l, float px, float py, float qx, float qy, float half) {
  float len = std::hypot(qx - px, qy - py), dx = (qx - px) / len, dy = (qy - py) / len;
  float nx = -dy, ny = dx, gap = 0.7f;
  px += dx * gap, py += dy * gap, qx -= dx * gap, qy -= dy * gap;
  std::vector<float> hexagon{
      px, py, px + (dx + nx) * half,  py + (dy + ny) * half,  qx + (-dx + nx) * half, qy + (-dy + ny) * half,
      qx, qy, qx + (-dx - nx) * half, qy + (-dy - ny) * half, px + (dx - nx) * half,  py + (dy - ny) * half};
  Polygon(l, hexagon, [](float, float y) {
    return Mix(Rgb{1, 1, 1}, Rgb{0.80f, 0.84f, 0.90f}, Clamp01(y / 39.0f));
  });
}

// Which of the segments a..g each digit lights, as bits a = 1 .. g = 64.
constexpr int SegmentsOf[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

}  // namespace

Sheet DrawDigits() {
  Sheet sheet(tobu::SheetDigits);
  const float half = 1.8f, left = 2.6f, right = 13.4f, top = 2.6f, middle = 19.5f, bottom = 36.4f;
  for (int f = 0; f < sheet.Frames(); ++f) {
    Layer l(16, 39);
    if (f == 10) {
      for (float y : {13.0f, 26.0f})
        Polygon(l, {6.2f, y - 1.8f, 9.8f, y - 1.8f, 9.8f, y + 1.8f, 6.2f, y + 1.8f}, Flat(Rgb{1, 1, 1}));
    } else if (f == 1) {
      const float centre = (left + right) / 2;
      Segment(l, centre, top, centre, bottom, half);
      Segment(l, centre + 0.6f, top, centre - 5.4f, top + 8.0f, half);  // flag
      Segment(l, centre - 4.8f, bottom, centre + 4.8f, bottom, half);   // foot
    } else {
      int on = SegmentsOf[f];
      const float ends[7][4] = {{left, top, right, top},        {right, top, right, middle},
                                {right, middle, right, bottom}, {left, bottom, right, bottom},
                                {left, middle, left, bottom},   {left, top, left, middle},
                                {left, middle, right, middle}};
      for (int s = 0; s < 7; ++s)
        if (on & (1 << s)) Segment(l, ends[s][0], ends[s][1], ends[s][2], ends[s][3], half);
    }
    PlaceFrame(sheet, l, f, {0.55f, 0.56f, 0.60f});
  }
  return sheet;
}

}  // namespace art
