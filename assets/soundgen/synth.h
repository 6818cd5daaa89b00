#pragma once
#include <cstddef>
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

// One tone sounding, sample by sample, so that a long score can be played as it goes.
class ToneVoice {
 public:
  explicit ToneVoice(const Tone& tone);
  // The next sample; 0 once the tone is over.
  double Next();
  bool Done() const { return index_ >= count_; }

 private:
  const Tone* tone_;
  size_t index_ = 0;
  size_t count_;
  double phase_;                 // where a wave crosses zero, so that no tone starts lopsided
  uint16_t noiseBits_ = 0x2D6B;  // the noise channel of the old chips: a 15-bit shift register,
                                 // seeded with ones and zeros alike for the same reason
  double noiseValue_ = 1.0;
};

// Removes the offset of lopsided pulses and of everything under about 20 Hz, which a
// speaker cannot play and which would only eat the mix's headroom.
class DcBlocker {
 public:
  double Next(double x) {
    const double y = x - lastIn_ + Pole * lastOut_;
    lastIn_ = x;
    lastOut_ = y;
    return y;
  }

 private:
  static constexpr double Pole = 0.9972;  // about 20 Hz at 44,100 samples a second
  double lastIn_ = 0.0, lastOut_ = 0.0;
};

// The frequency of a MIDI note (69 is A4, 440 Hz).
double Hz(int midiNote);
// The first sample of a tone starting at `seconds`.
size_t SampleAt(double seconds);

// The tones mixed into samples in -1..1, without offset, with fades of `edgeFade`
// seconds at both ends.
std::vector<double> Render(const std::vector<Tone>& tones, double edgeFade = 0.003);

// Scales the sound so that its loudness (LoudestWindowDb) is `loudnessDb`, less if its
// peak would pass `peakDb`.
void Level(std::vector<double>& samples, double loudnessDb, double peakDb);

// To 16-bit samples, rounded to nearest.
std::vector<int16_t> ToPcm16(const std::vector<double>& samples);

}  // namespace synth
