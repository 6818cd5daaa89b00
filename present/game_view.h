#pragma once
#include <cstdint>
#include <string>

#include "present/display.h"
#include "present/object_sheets.h"
#include "world/world.h"

namespace tobu {

// The world point drawn at the view's top-left corner: the world's camera, or in plus a
// camera of its own that only the drawing follows.
struct ViewCamera {
  int32_t X = 0;
  int32_t Y = 0;
};
inline ViewCamera CameraOf(const World& world) { return {world.CameraX, world.CameraY}; }

// The sky's left copy moves at half the camera's speed and jumps back every 1280 pixels.
int32_t SkyOffset(int32_t cameraX);
void DrawSky(Display& display, int32_t skyX);
// The 18 x 18 cells around the camera; cells outside the grid are skipped.
void DrawTiles(Display& display, const World& world);
void DrawTiles(Display& display, const World& world, ViewCamera camera);
// One object, if its box reaches into the view and its kind is known.
void DrawObject(Display& display, const World& world, const LevelObject& object, const ObjectFrames& frames);
void DrawObject(Display& display, ViewCamera camera, const LevelObject& object, const ObjectFrames& frames);
// The standing runner facing left at the runner's position: the editor's start marker.
void DrawStartMarker(Display& display, const World& world);
// Any runner picture whose top-left corner lies at world point (left, top).
void DrawRunnerSheet(Display& display, const World& world, int sheet, int frame, int32_t left, int32_t top);
void DrawRunnerSheet(Display& display, ViewCamera camera, int sheet, int frame, int32_t left, int32_t top);
// The same picture half-transparent: the ghost of a recorded run.
void DrawGhostSheet(Display& display, const World& world, int sheet, int frame, int32_t left, int32_t top);
void DrawGhostSheet(Display& display, ViewCamera camera, int sheet, int frame, int32_t left, int32_t top);
// The clock at the top right, mm:ss:hh in the digit sheet.
void DrawClockDigits(Display& display, uint8_t minutes, uint8_t seconds, uint8_t hundredths);
// The level's best time at the top left, from its "00:00:00" text.
void DrawBestTime(Display& display, const std::string& bestTimeText);

}  // namespace tobu
