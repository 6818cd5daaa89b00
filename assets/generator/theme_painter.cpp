#include "theme_painter.h"

#include <algorithm>
#include <limits>

#include "art.h"

namespace art {

std::span<const unsigned char> ThemePainter::Bmp(int index) {
  if (index < 0 || index >= SheetCount) return {};
  Job& job = jobs_[static_cast<size_t>(index)];
  if (job.File.empty()) PaintRows(index, std::numeric_limits<int>::max());
  return job.File;
}

bool ThemePainter::PaintAhead(int pixels) {
  for (int index = 0; index < SheetCount && pixels > 0; ++index) {
    if (!jobs_[static_cast<size_t>(index)].File.empty()) continue;
    const int width = tobu::SheetCatalogue[tobu::ThemedSheets[index % tobu::ThemedSheetCount]].Width;
    const int rows = std::max(1, pixels / width);
    PaintRows(index, rows);
    pixels -= rows * width;
  }
  return SheetsReady() == SheetCount;
}

int ThemePainter::SheetsReady() const {
  return static_cast<int>(
      std::count_if(jobs_.begin(), jobs_.end(), [](const Job& job) { return !job.File.empty(); }));
}

void ThemePainter::PaintRows(int index, int rows) {
  Job& job = jobs_[static_cast<size_t>(index)];
  if (!job.Canvas) job.Canvas.emplace(tobu::ThemedSheets[index % tobu::ThemedSheetCount]);
  const int height = job.Canvas->Spec.Height;
  const int bottom = job.NextRow + std::min(rows, height - job.NextRow);
  PaintSceneryRows(*job.Canvas, Themes[index / tobu::ThemedSheetCount + 1], job.NextRow, bottom);
  job.NextRow = bottom;
  if (bottom < height) return;
  job.File = EncodeSheetBmp(*job.Canvas);
  job.Canvas.reset();
}

}  // namespace art
