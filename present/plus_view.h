#pragma once
#include <cstdint>
#include <string>

#include "present/display.h"
#include "present/game_view.h"
#include "present/medal.h"
#include "world/world.h"

namespace tobu {

// The pictures tobu plus adds to a run. Each draws from the values it is given; ages
// are in ticks since the effect began.

// The level's title, and under it the goal and the keys when asked for, on a band from `top`.
void DrawLevelBanner(Display& display, const std::string& title, bool withGoal, bool withKeys, int32_t top);
// Sparks flying out from an eaten food's centre, fading out over `length` ticks.
void DrawBurst(Display& display, ViewCamera camera, int32_t x, int32_t y, int32_t age, int32_t length);
// Petals around an open daisy: opening outwards while `age` is below `length`, then still.
void DrawBloom(Display& display, ViewCamera camera, const LevelObject& exit, int32_t age, int32_t length);
// The sideways offset of a touched locked daisy, in pixels.
int32_t ShakeOffset(int32_t age);
// How far a death shakes the view `age` ticks after it, in pixels: a few swings that die
// away within `length` ticks.
ViewCamera DeathShake(int32_t age, int32_t length);
// Over a locked daisy the runner touched, why it stays shut; kept inside the view and
// under the HUD.
void DrawLockedHint(Display& display, ViewCamera camera, const LevelObject& exit);
// A red square pulsing around the killer that ended the run.
void DrawKillerMark(Display& display, ViewCamera camera, const LevelObject& killer, int32_t age);
// A light rim round an object's picture, to draw just before it: a dark killer on a
// dark look's rock and backdrop keeps its edge.
void DrawObjectRim(Display& display, ViewCamera camera, const LevelObject& object, int32_t frame);
// The whole view tinted red, fading.
void DrawRedFlash(Display& display, int32_t age);
// Confetti, the cheer ("Finished! Gold!") over the finishing time, the gain on the old best
// time when there is one, and the star of the medal the time earns beside the time.
void DrawCelebration(Display& display, int32_t age, const std::string& cheer, const std::string& time,
                     const std::string& bestDelta, Medal medal);
// A fall that nothing will stop, `depth` 0 to 256 of the way to the world's foot: the view
// darkening from its foot, more and higher as the fall goes on, and streaks rising past.
void DrawFallCue(Display& display, int32_t depth, int32_t age);
// Over a fall nothing can stop any more, a band across the view's lower half saying so,
// with "R restarts" under it when R does.
void DrawFellOutNotice(Display& display, bool restartable);
// Confetti falling over the whole view without end.
void DrawConfettiRain(Display& display, int32_t age);

}  // namespace tobu
