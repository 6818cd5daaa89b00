#include "sheet.h"

namespace art {

void PlaceFrame(Sheet& sheet, const Layer& layer, int frame, Rgb neutral, float keyBelow) {
  int fx = frame * sheet.Spec.FrameWidth;
  for (int y = 0; y < layer.H; ++y) {
    for (int x = 0; x < layer.W; ++x) {
      size_t src = layer.At(x, y), dst = sheet.At(fx + x, y);
      float a = layer.Cover[src];
      sheet.Pixels[dst] = layer.Colour[src] + neutral * (1 - a);
      sheet.IsKey[dst] = sheet.Spec.Transparent && a < keyBelow;
    }
  }
}

}  // namespace art
