#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "world/world.h"

namespace tobu {

// What touching an object of a kind does; sim/ gives each rule its effect.
enum class ContactRule : uint8_t {
  Eaten,           // food: taken away after the object pass
  Kills,           // the run fails
  FinishesWhenFed  // the run finishes once no food is left
};

// One object kind: everything the game knows of it, read by the simulation, the view, the
// editor, the help card and the level compiler. A new kind is a new row (and its sheet).
struct ObjectKindRow {
  ObjectKind Kind;              // the byte in the level file; also the row's index
  std::string_view SourceName;  // in level sources: "object: NAME X Y"
  char SourceCell;              // in level sources' grids
  ContactRule Contact;
  std::string_view Sheet;       // the sprite sheet it is drawn (and pictured) from, by name
  std::string_view BrushLabel;  // under its brush picture on the editor's help card
};

inline constexpr std::array<ObjectKindRow, 3> ObjectKinds{{
    {ObjectFood, "food", 'f', ContactRule::Eaten, "food", "apple"},
    {ObjectKiller, "killer", 'k', ContactRule::Kills, "killer", "spiked ball"},
    {ObjectExit, "exit", 'x', ContactRule::FinishesWhenFed, "exit", "daisy"},
}};
constexpr int ObjectKindCount = static_cast<int>(ObjectKinds.size());

// The row of a kind byte; nullptr for a kind the game does not know (kept in the file,
// never drawn, never touched).
constexpr const ObjectKindRow* FindObjectKind(uint8_t kind) {
  return kind < ObjectKinds.size() ? &ObjectKinds[kind] : nullptr;
}

// A known kind whose contact follows `rule`.
constexpr bool KindHasRule(uint8_t kind, ContactRule rule) {
  const ObjectKindRow* row = FindObjectKind(kind);
  return row && row->Contact == rule;
}

constexpr bool RowsFollowTheirKinds() {
  for (size_t i = 0; i < ObjectKinds.size(); ++i)
    if (ObjectKinds[i].Kind != i) return false;
  return true;
}
static_assert(RowsFollowTheirKinds(), "each kind's row sits at its kind byte");

}  // namespace tobu
