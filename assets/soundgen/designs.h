#pragma once
#include <string>
#include <vector>

#include "synth.h"

namespace synth {

// One sound of the game: its file name (the event's name), its tones and its loudness.
struct Design {
  std::string Name;
  std::vector<Tone> Tones;
  double LoudnessDb = -18.0;  // LoudestWindowDb
};

// Every sound, in the order of the game's events.
std::vector<Design> Designs();

}  // namespace synth
