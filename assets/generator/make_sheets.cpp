// make-sheets: paints the fourteen sprite sheets, then each further theme's sky,
// grass and ground (as THEME-sky.bmp, ...), and writes them as 8-bit BMPs into
// the directory given on the command line.
#include <cstdio>
#include <functional>
#include <string>

#include "art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-sheets <output directory>\n");
    return 2;
  }
  const std::string dir = argv[1];
  const std::function<art::Sheet()> painters[] = {art::DrawKiller,
                                                  [] { return art::DrawSky(art::Themes[0]); },
                                                  [] { return art::DrawGrass(art::Themes[0]); },
                                                  [] { return art::DrawGround(art::Themes[0]); },
                                                  art::DrawFood,
                                                  art::DrawExit,
                                                  [] { return art::DrawKippo(false); },
                                                  [] { return art::DrawKippo(true); },
                                                  [] { return art::DrawKippoRun(false); },
                                                  [] { return art::DrawKippoRun(true); },
                                                  art::DrawFon,
                                                  art::DrawDigits,
                                                  art::DrawFont,
                                                  art::DrawHelmet};
  int failures = 0;
  for (int i = 0; i < tobu::SheetCount; ++i) {
    art::Sheet sheet = painters[i]();
    std::string path = dir + "/" + sheet.Spec.Name + ".bmp";
    if (std::string(sheet.Spec.Name) != tobu::SheetCatalogue[static_cast<size_t>(i)].Name ||
        !art::WriteSheetBmp(sheet, path)) {
      std::fprintf(stderr, "make-sheets: cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  for (int theme = 1; theme < art::ThemeCount; ++theme) {
    const art::Scenery& look = art::Themes[theme];
    for (const art::Sheet& sheet : {art::DrawSky(look), art::DrawGrass(look), art::DrawGround(look)}) {
      const std::string path = dir + "/" + look.Name + "-" + sheet.Spec.Name + ".bmp";
      if (!art::WriteSheetBmp(sheet, path)) {
        std::fprintf(stderr, "make-sheets: cannot write %s\n", path.c_str());
        ++failures;
      }
    }
  }
  return failures == 0 ? 0 : 1;
}
