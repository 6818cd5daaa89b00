// Plus in the editor: Tab shows the whole level small over the view (shell/editor_map.cpp).
#pragma once
#include <cstdint>
#include <optional>

#include "editor/editor_state.h"

namespace tobu {

// The cell the map shows at frame pixel (x, y); none off the map.
std::optional<GridCell> LevelMapCellAt(int32_t x, int32_t y);

}  // namespace tobu
