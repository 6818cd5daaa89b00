// The painter of each sheet in the catalogue (present/sheets.h), in its order: a new
// sheet is a catalogue row there and a row here.
#pragma once
#include <array>
#include <string_view>

#include "art.h"

namespace art {

struct Painter {
  std::string_view Name;  // the catalogue's name of the sheet it paints
  Sheet (*Paint)();
};

inline constexpr std::array<Painter, tobu::SheetCount> Painters{{
    {"killer", DrawKiller},
    {"sky", [] { return DrawScenery(tobu::SheetSky, Themes[0]); }},
    {"grass", [] { return DrawScenery(tobu::SheetGrass, Themes[0]); }},
    {"ground", [] { return DrawScenery(tobu::SheetGround, Themes[0]); }},
    {"food", DrawFood},
    {"exit", DrawExit},
    {"kippo", [] { return DrawKippo(false); }},
    {"kippoR", [] { return DrawKippo(true); }},
    {"KippoRun", [] { return DrawKippoRun(false); }},
    {"KippoRunR", [] { return DrawKippoRun(true); }},
    {"fon", DrawFon},
    {"digits", DrawDigits},
    {"Font", DrawFont},
    {"Helmet", DrawHelmet},
    {"backdrop", [] { return DrawScenery(tobu::SheetBackdrop, Themes[0]); }},
    {"details", [] { return DrawScenery(tobu::SheetDetails, Themes[0]); }},
}};

constexpr bool PaintersFollowTheCatalogue() {
  for (size_t i = 0; i < Painters.size(); ++i)
    if (Painters[i].Name != tobu::SheetCatalogue[i].Name) return false;
  return true;
}
static_assert(PaintersFollowTheCatalogue(), "one painter per catalogue row, in its order");

}  // namespace art
