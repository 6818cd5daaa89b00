#pragma once
#include <cstdint>
#include <vector>

#include "present/display.h"
#include "present/game_view.h"
#include "world/world.h"

namespace tobu {

// What tobu plus draws around the tiles to make a level a place: the backdrop (the sky
// with far land, in place of the bare sky) and small details on the tiles, both from the
// theme's sheets. Only drawing: nothing here is read by the run.

// The backdrop where the sky would be, moving as the sky does.
void DrawBackdrop(Display& display, int32_t skyX);

// A detail on a tile: on its top (the cell above empty) or hanging under it (the cell
// below empty), a frame of the details sheet, at a world point.
struct DetailSpot {
  int32_t X = 0, Y = 0;  // the frame's top-left corner in the world
  int Frame = 0;
  friend bool operator==(const DetailSpot&, const DetailSpot&) = default;
};
// The details whose frames reach into the view, left to right in each row, top row
// first. Which cell has one, and which, depends on the cell's place alone, so they never
// change while the level does not. None touches an object's box, nor the rows of the
// HUD strip from `hudTop` (none when negative).
std::vector<DetailSpot> DetailsInView(const World& world, ViewCamera camera, int32_t hudTop);
void DrawSurfaceDetails(Display& display, const World& world, ViewCamera camera, int32_t hudTop);

}  // namespace tobu
