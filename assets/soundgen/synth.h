#pragma once
#include <cstdint>
#include <vector>

// A small retro synthesiser: the four voices of the old sound chips, each tone with its
// own envelope, pitch slide, arpeggio and vibrato, summed and levelled into one sound.
namespace synth {

constexpr int SampleRate = 44100;

enum class Voice { Square, Triangle, Saw, Noise };

struct Tone {
  Voice Kind = Voice::Square;
  double Start = 0.0;   // seconds from the start of the sound
  double Length = 0.1;  // seconds, release included
  double FromHz = 440.0;
  double ToHz = 0.0;   // the pitch slides exponentially to this; 0 keeps FromHz
  double Level = 1.0;  // peak before the sound is levelled
  double Attack = 0.003;
  double Release = 0.02;
  double Decay = 0.0;          // exponential fall after the attack, per second
  double Duty = 0.5;           // of the square
  std::vector<int> Arpeggio;   // semitones cycled through, on top of the pitch
  double ArpeggioRate = 30.0;  // steps per second
  double VibratoDepth = 0.0;   // semitones
  double VibratoRate = 6.0;    // per second
};

// The frequency of a MIDI note (69 is A4, 440 Hz).
double Hz(int midiNote);

// The tones mixed into samples in -1..1, with fades of `edgeFade` seconds at both ends.
std::vector<double> Render(const std::vector<Tone>& tones, double edgeFade = 0.003);

// Scales the sound to an RMS of `rmsDb` dBFS, less if its peak would pass `peakDb`.
void Level(std::vector<double>& samples, double rmsDb, double peakDb);

// To 16-bit samples, rounded to nearest.
std::vector<int16_t> ToPcm16(const std::vector<double>& samples);

}  // namespace synth
