#pragma once
#include <filesystem>
#include <string>

#include "world/best_times.h"
#include "world/world.h"

namespace tobu::fuzz {

// A floor of ground across the whole grid at `row`.
void LayFloor(World& world, int row);

// Saves `world` as a level file and, when `times` has a place 1, appends its table.
void WriteLevel(const std::filesystem::path& file, const World& world, const BestTimes& times = {});

// A Levels folder for the monkey: an exit on the start (a run finishes at once, so its
// time is written), a killer on the start, a floor with food and an exit, an empty level
// the runner falls out of, and enough copies that the list scrolls.
void WriteMonkeyLevels(const std::filesystem::path& levelsDir);

// The heaviest view: the runner in a small pocket of a level filled with tiles, 200
// food objects in view around it, none touching it.
World BusyLevel();

}  // namespace tobu::fuzz
