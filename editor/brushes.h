#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "world/object_kinds.h"

namespace tobu {

// One brush of the editor: the two tiles, then one per object kind in kind order. Brush
// n (1..BrushCount) is chosen with the digit key n and is Brushes[n - 1]; the help card
// pictures each from its sheet, and the README's editor row names them in this order.
struct BrushRow {
  std::string_view Label;  // "grass", "apple"
  std::string_view Sheet;  // its picture, by sheet name
  bool PaintsTile;
  uint8_t Tile;  // when PaintsTile
  uint8_t Kind;  // the object placed otherwise
};

constexpr auto MakeBrushes() {
  std::array<BrushRow, 2 + ObjectKinds.size()> brushes{{
      {"grass", "grass", true, TileGrass, 0},
      {"ground", "ground", true, TileGround, 0},
  }};
  for (size_t i = 0; i < ObjectKinds.size(); ++i) {
    const ObjectKindRow& kind = ObjectKinds[i];
    brushes[2 + i] = {kind.BrushLabel, kind.Sheet, false, 0, kind.Kind};
  }
  return brushes;
}
inline constexpr auto Brushes = MakeBrushes();
constexpr int BrushCount = static_cast<int>(Brushes.size());

// The brush numbered `brush`; nullptr outside 1..BrushCount.
constexpr const BrushRow* FindBrush(int brush) {
  return brush >= 1 && brush <= BrushCount ? &Brushes[static_cast<size_t>(brush - 1)] : nullptr;
}

// Brush `brush` paints a tile (rather than placing an object); false outside 1..BrushCount.
constexpr bool TileBrush(int brush) {
  const BrushRow* row = FindBrush(brush);
  return row != nullptr && row->PaintsTile;
}

}  // namespace tobu
