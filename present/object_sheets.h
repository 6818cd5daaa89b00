#pragma once
#include <array>
#include <cstdint>

#include "present/sheets.h"
#include "world/object_kinds.h"

namespace tobu {

// Each object kind's sheet index, from its row's sheet name.
constexpr auto MakeObjectSheets() {
  std::array<int, ObjectKinds.size()> sheets{};
  for (size_t i = 0; i < ObjectKinds.size(); ++i) sheets[i] = SheetNamed(ObjectKinds[i].Sheet);
  return sheets;
}
inline constexpr auto ObjectSheets = MakeObjectSheets();

constexpr bool EveryKindHasASheet() {
  for (const int sheet : ObjectSheets)
    if (sheet < 0) return false;
  return true;
}
static_assert(EveryKindHasASheet(), "an object kind names a sheet the catalogue lacks");

// The frame each kind's animation shows this tick, by kind byte.
using ObjectFrames = std::array<int32_t, ObjectKindCount>;

}  // namespace tobu
