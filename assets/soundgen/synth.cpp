#include "synth.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr double Pi = 3.14159265358979323846;

// Smooths the jump of a square or saw edge over one sample either side (PolyBLEP), so
// high notes do not alias into whistles.
double Blep(double phase, double step) {
  if (phase < step) {
    const double t = phase / step;
    return t + t - t * t - 1.0;
  }
  if (phase > 1.0 - step) {
    const double t = (phase - 1.0) / step;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

// The noise channel of the old chips: a 15-bit shift register stepped at the tone's rate.
struct NoiseRegister {
  uint16_t Bits = 1;
  double Value = 1.0;
  void Step() {
    const uint16_t feedback = static_cast<uint16_t>((Bits ^ (Bits >> 1)) & 1u);
    Bits = static_cast<uint16_t>((Bits >> 1) | (feedback << 14));
    Value = (Bits & 1u) != 0 ? 1.0 : -1.0;
  }
};

double Envelope(const Tone& tone, double t) {
  double level = t < tone.Attack ? t / tone.Attack : std::exp(-tone.Decay * (t - tone.Attack));
  const double untilEnd = tone.Length - t;
  if (untilEnd < tone.Release) level *= std::max(0.0, untilEnd / tone.Release);
  return level;
}

double Pitch(const Tone& tone, double t) {
  double hz = tone.FromHz;
  if (tone.ToHz > 0.0) hz *= std::pow(tone.ToHz / tone.FromHz, t / tone.Length);
  double semitones = tone.VibratoDepth * std::sin(2.0 * Pi * tone.VibratoRate * t);
  if (!tone.Arpeggio.empty()) {
    const auto step = static_cast<size_t>(t * tone.ArpeggioRate) % tone.Arpeggio.size();
    semitones += tone.Arpeggio[step];
  }
  return hz * std::pow(2.0, semitones / 12.0);
}

void AddTone(const Tone& tone, std::vector<double>& out) {
  const auto first = static_cast<size_t>(std::lround(tone.Start * SampleRate));
  const auto count = static_cast<size_t>(std::lround(tone.Length * SampleRate));
  double phase = 0.0;
  NoiseRegister noise;
  for (size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double step = std::min(Pitch(tone, t) / SampleRate, 0.5);
    double value = 0.0;
    switch (tone.Kind) {
      case Voice::Square:
        value = (phase < tone.Duty ? 1.0 : -1.0) + Blep(phase, step) -
                Blep(std::fmod(phase + 1.0 - tone.Duty, 1.0), step);
        break;
      case Voice::Triangle:
        value = phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
        break;
      case Voice::Saw:
        value = 2.0 * phase - 1.0 - Blep(phase, step);
        break;
      case Voice::Noise:
        value = noise.Value;
        break;
    }
    out[first + i] += tone.Level * Envelope(tone, t) * value;
    phase += step;
    if (phase >= 1.0) {
      phase -= 1.0;
      if (tone.Kind == Voice::Noise) noise.Step();
    }
  }
}

}  // namespace

double Hz(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

std::vector<double> Render(const std::vector<Tone>& tones, double edgeFade) {
  double end = 0.0;
  for (const Tone& tone : tones) end = std::max(end, tone.Start + tone.Length);
  std::vector<double> out(static_cast<size_t>(std::lround(end * SampleRate)), 0.0);
  for (const Tone& tone : tones) AddTone(tone, out);
  // Whatever the tones do, the sound starts and ends at silence.
  const auto fade = std::min(static_cast<size_t>(edgeFade * SampleRate), out.size() / 2);
  for (size_t i = 0; i < fade; ++i) {
    const double gain = static_cast<double>(i) / static_cast<double>(fade);
    out[i] *= gain;
    out[out.size() - 1 - i] *= gain;
  }
  return out;
}

void Level(std::vector<double>& samples, double rmsDb, double peakDb) {
  double sumSquares = 0.0, peak = 0.0;
  for (const double s : samples) {
    sumSquares += s * s;
    peak = std::max(peak, std::fabs(s));
  }
  if (samples.empty() || peak == 0.0) return;
  const double rms = std::sqrt(sumSquares / static_cast<double>(samples.size()));
  const double gain = std::min(std::pow(10.0, rmsDb / 20.0) / rms, std::pow(10.0, peakDb / 20.0) / peak);
  for (double& s : samples) s *= gain;
}

std::vector<int16_t> ToPcm16(const std::vector<double>& samples) {
  std::vector<int16_t> pcm;
  pcm.reserve(samples.size());
  for (const double s : samples)
    pcm.push_back(static_cast<int16_t>(std::lrint(std::clamp(s, -1.0, 1.0) * 32767.0)));
  return pcm;
}

}  // namespace synth
