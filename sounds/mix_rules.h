#pragma once
#include "events/game_events.h"

namespace tobu::mix {

// How the effects sit over the music, the same in every mix the game plays through (the
// desktop's Mixer, the browser's Web Audio): the figures, and which sound does what.
constexpr double SampleRate = 44100.0;
constexpr double Ducked = 0.5;           // the music's gain under a ducking sound (-6 dB)
constexpr double DuckStep = 1.0 / 2205;  // the gain's change a sample: 50 ms from full to none
constexpr double QuickDuck = 1.0 / 441;  // 10 ms: a run's short sounds start ducked
// Plus: the jump, the run's most frequent sound, lifted 4 dB to sit clearly over the music
// rather than ducking it, which would pump the music on every jump.
constexpr double JumpLift = 1.585;

// How fast the sound of `event` ducks the music while it plays, as the gain's change a
// sample; 0 when it leaves the music alone. The music comes back up at DuckStep.
double DuckSpeed(GameEvent event, bool plus);
// The sound's own gain, before its place and the effects' volume.
double EffectLift(GameEvent event, bool plus);
// Seconds the music's gain takes between full and Ducked at `step` a sample.
constexpr double DuckSeconds(double step) { return (1.0 - Ducked) / step / SampleRate; }

}  // namespace tobu::mix
