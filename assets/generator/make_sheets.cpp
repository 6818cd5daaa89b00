// make-sheets: paints the catalogue's sprite sheets, then each further theme's sky,
// grass, ground, backdrop and details (as THEME-sky.bmp, ...), and writes them as 8-bit BMPs into
// the directory given on the command line.
#include <cstdio>
#include <string>

#include "../../present/themes.h"
#include "painters.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-sheets <output directory>\n");
    return 2;
  }
  const std::string dir = argv[1];
  int failures = 0;
  for (const art::Painter& painter : art::Painters) {
    const art::Sheet sheet = painter.Paint();
    const std::string path = dir + "/" + sheet.Spec.Name + ".bmp";
    if (!art::WriteSheetBmp(sheet, path)) {
      std::fprintf(stderr, "make-sheets: cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  for (int theme = 1; theme < art::ThemeCount; ++theme) {
    const art::Scenery& look = art::Themes[theme];
    if (look.Name != tobu::ThemeNames[theme]) {
      std::fprintf(stderr, "make-sheets: theme %d is %s in the game, %s here\n", theme,
                   std::string(tobu::ThemeNames[theme]).c_str(), look.Name);
      return 1;
    }
    for (const int index : tobu::ThemedSheets) {
      const art::Sheet sheet = art::DrawScenery(index, look);
      const std::string path = dir + "/" + look.Name + "-" + sheet.Spec.Name + ".bmp";
      if (!art::WriteSheetBmp(sheet, path)) {
        std::fprintf(stderr, "make-sheets: cannot write %s\n", path.c_str());
        ++failures;
      }
    }
  }
  return failures == 0 ? 0 : 1;
}
