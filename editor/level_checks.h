#pragma once
#include <string>
#include <vector>

#include "world/world.h"

namespace tobu {

// What makes a level unplayable, each as a short phrase for the designer ("no exit",
// "no food", "the start is inside rock", "nothing under the start"); empty when none.
// The start is the runner's body (rx-13..rx+11 by ry-58..ry) at the start rounded as a
// save stores it; "nothing under it" means no solid cell below the body in its columns,
// so a run could only fall out of the world.
std::vector<std::string> LevelProblems(const World& world);

}  // namespace tobu
