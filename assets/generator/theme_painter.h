// The themes' sheets painted by the program itself instead of built into it (the
// browser's build, whose download they would swell by a third): the same painters and
// encoder as make-sheets, so the very bytes of assets/sheets/THEME-*.bmp. Painted a few
// rows at a time while the menus show, or whatever is left at once when a sheet is wanted.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "../../present/themes.h"
#include "sheet.h"

namespace art {

class ThemePainter {
 public:
  // Every theme's sheets but the first's, ThemedSheetCount per theme in the order of
  // ThemedSheets: the indices of tobu::ThemeSheetSource.
  static constexpr int SheetCount = (tobu::ThemeCount - 1) * tobu::ThemedSheetCount;

  // The BMP file of sheet `index`, painting what is left of it now; empty for any other index.
  std::span<const unsigned char> Bmp(int index);
  // Paints about `pixels` more pixels, sheet after sheet in order, each encoded when its
  // last row is painted. True when every sheet is ready.
  bool PaintAhead(int pixels);
  int SheetsReady() const;

 private:
  struct Job {
    std::optional<Sheet> Canvas;  // while being painted
    int NextRow = 0;
    std::vector<uint8_t> File;  // once painted
  };
  // Paints `rows` more rows of sheet `index` (at least one).
  void PaintRows(int index, int rows);

  std::array<Job, SheetCount> jobs_;
};

}  // namespace art
