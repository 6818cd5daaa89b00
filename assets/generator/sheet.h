// A whole sprite sheet in float RGB with a mask of colour-key pixels, and the
// writer that turns it into an 8-bit paletted BMP.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "../../present/sheets.h"
#include "canvas.h"

namespace art {

struct Sheet {
  tobu::SheetSpec Spec;
  std::vector<Rgb> Pixels;
  std::vector<bool> IsKey;  // only ever set on transparent sheets
  explicit Sheet(int index)
      : Spec(tobu::SheetCatalogue[static_cast<size_t>(index)]),
        Pixels(static_cast<size_t>(Spec.Width * Spec.Height)),
        IsKey(static_cast<size_t>(Spec.Width * Spec.Height), false) {}
  int Frames() const { return Spec.Width / Spec.FrameWidth; }
  size_t At(int x, int y) const { return static_cast<size_t>(y * Spec.Width + x); }
};

// Copies a drawn layer into frame `frame`. On a transparent sheet the layer
// is first laid over the opaque `neutral`, so soft edges blend toward the
// subject's own colours; pixels covered less than `keyBelow` become the key.
void PlaceFrame(Sheet& sheet, const Layer& layer, int frame, Rgb neutral, float keyBelow = 0.5f);

// Quantises the sheet to 256 colours (one entry kept for the key alone) and
// encodes it as an uncompressed bottom-up 8-bit BMP.
std::vector<uint8_t> EncodeSheetBmp(const Sheet& sheet);
// The same, written to `path`. Returns false on failure.
bool WriteSheetBmp(const Sheet& sheet, const std::string& path);

}  // namespace art
