#pragma once
#include "events/game_events.h"

namespace tobu {

// Each side's gain for one sound: 1 on both for the middle of the view, as every sound
// was before the sounds had a place, so that no sound is ever louder than centred.
struct Pan {
  double Left = 1.0;
  double Right = 1.0;
};

// The pan of a sound made `across` the view: 0 its left edge, 1 its right. A linear
// balance: the far side falls to 30% at the edge, the near side stays whole.
Pan PanAt(double across);

// The run's sounds heard where the runner makes them; menu sounds, fanfares and the
// exit's opening (heard wherever it is) stay in the middle.
bool SoundHasPlace(GameEvent event);

}  // namespace tobu
