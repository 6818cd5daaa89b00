#include "synth.h"

#include <algorithm>
#include <cmath>

#include "loudness.h"

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

double Envelope(const Tone& tone, double t) {
  double level = t < tone.Attack ? t / tone.Attack : std::exp(-tone.Decay * (t - tone.Attack));
  const double untilEnd = tone.Length - t;
  if (untilEnd < tone.Release) level *= std::max(0.0, untilEnd / tone.Release);
  return level;
}

double Pitch(const Tone& tone, double t) {
  double hz = tone.FromHz;
  if (tone.ToHz > 0.0) hz *= std::pow(tone.ToHz / tone.FromHz, t / tone.Length);
  if (tone.VibratoDepth == 0.0 && tone.Arpeggio.empty()) return hz;
  double semitones = tone.VibratoDepth * std::sin(2.0 * Pi * tone.VibratoRate * t);
  if (!tone.Arpeggio.empty()) {
    const auto step = static_cast<size_t>(t * tone.ArpeggioRate) % tone.Arpeggio.size();
    semitones += tone.Arpeggio[step];
  }
  return hz * std::pow(2.0, semitones / 12.0);
}

}  // namespace

ToneVoice::ToneVoice(const Tone& tone)
    : tone_(&tone),
      count_(static_cast<size_t>(std::lround(tone.Length * SampleRate))),
      phase_(tone.Kind == Voice::Triangle ? 0.25
             : tone.Kind == Voice::Saw    ? 0.5
                                          : 0.0) {}

double ToneVoice::Next() {
  if (Done()) return 0.0;
  const Tone& tone = *tone_;
  const double t = static_cast<double>(index_++) / SampleRate;
  const double step = std::min(Pitch(tone, t) / SampleRate, 0.5);
  double value = 0.0;
  switch (tone.Kind) {
    case Voice::Square:  // centred on zero, as a narrow pulse would otherwise carry an offset
      value = (phase_ < tone.Duty ? 1.0 : -1.0) + 1.0 - 2.0 * tone.Duty + Blep(phase_, step) -
              Blep(std::fmod(phase_ + 1.0 - tone.Duty, 1.0), step);
      break;
    case Voice::Triangle:
      value = phase_ < 0.5 ? 4.0 * phase_ - 1.0 : 3.0 - 4.0 * phase_;
      break;
    case Voice::Saw:
      value = 2.0 * phase_ - 1.0 - Blep(phase_, step);
      break;
    case Voice::Noise:
      value = noiseValue_;
      break;
  }
  phase_ += step;
  if (phase_ >= 1.0) {
    phase_ -= 1.0;
    if (tone.Kind == Voice::Noise) {
      const auto feedback = static_cast<uint16_t>((noiseBits_ ^ (noiseBits_ >> 1)) & 1u);
      noiseBits_ = static_cast<uint16_t>((noiseBits_ >> 1) | (feedback << 14));
      noiseValue_ = (noiseBits_ & 1u) != 0 ? 1.0 : -1.0;
    }
  }
  return tone.Level * Envelope(tone, t) * value;
}

double Hz(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

size_t SampleAt(double seconds) { return static_cast<size_t>(std::lround(seconds * SampleRate)); }

std::vector<double> Render(const std::vector<Tone>& tones, double edgeFade) {
  double end = 0.0;
  for (const Tone& tone : tones) end = std::max(end, tone.Start + tone.Length);
  std::vector<double> out(SampleAt(end), 0.0);
  for (const Tone& tone : tones) {
    ToneVoice voice(tone);
    for (size_t i = SampleAt(tone.Start); i < out.size() && !voice.Done(); ++i) out[i] += voice.Next();
  }
  DcBlocker blocker;
  for (double& s : out) s = blocker.Next(s);
  // Whatever the tones do, the sound starts and ends at silence.
  const auto fade = std::min(static_cast<size_t>(edgeFade * SampleRate), out.size() / 2);
  for (size_t i = 0; i < fade; ++i) {
    const double gain = static_cast<double>(i) / static_cast<double>(fade);
    out[i] *= gain;
    out[out.size() - 1 - i] *= gain;
  }
  return out;
}

void Level(std::vector<double>& samples, double loudnessDb, double peakDb) {
  double peak = 0.0;
  for (const double s : samples) peak = std::max(peak, std::fabs(s));
  if (samples.empty() || peak == 0.0) return;
  const double loudness = LoudestWindowDb(samples);
  const double gain =
      std::min(std::pow(10.0, (loudnessDb - loudness) / 20.0), std::pow(10.0, peakDb / 20.0) / peak);
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
