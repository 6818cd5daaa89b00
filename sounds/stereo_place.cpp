#include "sounds/stereo_place.h"

#include <algorithm>

namespace tobu {

Pan PanAt(double across) {
  constexpr double EdgeDrop = 0.7;  // the far side's gain falls to 1 - 0.7 at the edge
  const double offCentre = 2.0 * std::clamp(across, 0.0, 1.0) - 1.0;  // -1 left .. 1 right
  return {1.0 - EdgeDrop * std::max(0.0, offCentre), 1.0 - EdgeDrop * std::max(0.0, -offCentre)};
}

bool SoundHasPlace(GameEvent event) {
  switch (event) {
    case GameEvent::Jump:
    case GameEvent::Land:
    case GameEvent::Eat:
    case GameEvent::Locked:
    case GameEvent::Finish:
    case GameEvent::Fail:
      return true;
    default:
      return false;
  }
}

}  // namespace tobu
