#include "designs.h"

#include <algorithm>

namespace synth {
namespace {

// Loudness (K-weighted, the loudest 50 ms): the rare events of a run stand out, the
// fanfares most; the frequent ones (jumping, eating) sit a few dB lower; the answers of
// menus and the editor lower still, a refusal as clear as a run's; ticks softest.
constexpr double Fanfare = -14.0;
constexpr double Rare = -15.0;
constexpr double Frequent = -18.5;
constexpr double Answer = -18.0;
constexpr double Tick = -25.0;
constexpr double Soft = -22.0;  // a landing: felt more than heard, under the jump

// MIDI notes of the C major scale used by the tunes.
constexpr int G4 = 67, A4 = 69, C5 = 72, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81, B5 = 83;
constexpr int C6 = 84, D6 = 86, E6 = 88, G6 = 91, C7 = 96;
constexpr int C4 = 60, E4 = 64;

Tone Note(Voice voice, double start, double length, int midi, double level = 1.0) {
  Tone tone;
  tone.Kind = voice;
  tone.Start = start;
  tone.Length = length;
  tone.FromHz = Hz(midi);
  tone.Level = level;
  return tone;
}

Tone Slide(Voice voice, double start, double length, double fromHz, double toHz, double level = 1.0) {
  Tone tone;
  tone.Kind = voice;
  tone.Start = start;
  tone.Length = length;
  tone.FromHz = fromHz;
  tone.ToHz = toHz;
  tone.Level = level;
  return tone;
}

Tone Decaying(Tone tone, double decay, double release) {
  tone.Decay = decay;
  tone.Release = release;
  return tone;
}

Tone WithDuty(Tone tone, double duty) {
  tone.Duty = duty;
  return tone;
}

// A melody line: each note starts where the last one ended.
struct Line {
  Line(Voice kind, double duty, double level, double decay, double at = 0.0)
      : Kind(kind), Duty(duty), Level(level), Decay(decay), At(at) {}
  Voice Kind;
  double Duty;
  double Level;
  double Decay;
  double At;
  std::vector<Tone> Tones;
  Line& Play(int midi, double length) {
    Tone tone =
        WithDuty(Decaying(Note(Kind, At, length, midi, Level), Decay, std::min(0.03, length / 3)), Duty);
    Tones.push_back(tone);
    At += length;
    return *this;
  }
  Line& Rest(double length) {
    At += length;
    return *this;
  }
};

std::vector<Tone> Join(std::vector<Tone> a, const std::vector<Tone>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The rising run of a finished run.
std::vector<Tone> FinishRun() {
  Line lead{Voice::Square, 0.5, 0.6, 4.0};
  lead.Play(G5, 0.06).Play(C6, 0.06).Play(E6, 0.06).Play(G6, 0.16);
  return lead.Tones;
}

// A new best time: a trumpet call over a marching bass, from its first note.
std::vector<Tone> BestFanfare() {
  Line lead{Voice::Square, 0.5, 0.55, 1.5};
  lead.Play(G5, 0.11).Play(G5, 0.11).Play(G5, 0.11).Play(C6, 0.33).Play(A5, 0.11).Play(C6, 0.11).Play(E6,
                                                                                                      0.7);
  Line harmony{Voice::Square, 0.25, 0.3, 1.5};
  harmony.Play(E5, 0.11).Play(E5, 0.11).Play(E5, 0.11).Play(G5, 0.33).Play(F5, 0.11).Play(A5, 0.11).Play(C6,
                                                                                                         0.7);
  Line bass{Voice::Triangle, 0.5, 0.8, 0.8};
  bass.Play(C4, 0.33).Play(C4, 0.33).Play(F5 - 24, 0.22).Play(C4, 0.7);
  return Join(Join(lead.Tones, harmony.Tones), bass.Tones);
}

// Into the best ten: a thin, bell-like turn over a sparkle of noise.
std::vector<Tone> TopTenFanfare() {
  Line lead{Voice::Square, 0.125, 0.55, 2.5};
  lead.Play(E6, 0.1).Play(D6, 0.1).Play(C6, 0.1).Play(D6, 0.1).Play(E6, 0.1).Play(G6, 0.5);
  Line bass{Voice::Triangle, 0.5, 0.8, 1.2};
  bass.Play(C4, 0.2).Play(G4 - 12, 0.2).Play(C4, 0.6);
  Tone sparkle = Decaying(Slide(Voice::Noise, 0.0, 0.3, 12000, 6000, 0.12), 8.0, 0.1);
  return Join(Join(lead.Tones, bass.Tones), {sparkle});
}

// The chime of the open exit: a bright major arpeggio ringing out over a bell tone.
std::vector<Tone> OpenChime() {
  Tone arpeggio = Decaying(Note(Voice::Square, 0.0, 0.7, C6, 0.5), 3.5, 0.15);
  arpeggio.Duty = 0.125;
  arpeggio.Arpeggio = {0, 4, 7, 12};
  arpeggio.ArpeggioRate = 16.0;
  Tone bell = Decaying(Note(Voice::Triangle, 0.0, 0.8, C7, 0.7), 3.0, 0.2);
  return {arpeggio, bell};
}

std::vector<Tone> FailLament() {
  // Three falling steps, then a long wobbling slide to the floor.
  Line steps{Voice::Saw, 0.5, 0.5, 1.0};
  steps.Play(B5 - 12, 0.14).Play(A5 - 12 + 1, 0.14).Play(A5 - 12, 0.14);
  Tone slide = Decaying(Slide(Voice::Saw, 0.42, 0.55, Hz(A5 - 12 - 1), Hz(A5 - 36), 0.55), 1.0, 0.15);
  slide.VibratoDepth = 0.6;
  slide.VibratoRate = 9.0;
  Tone thud = Decaying(Slide(Voice::Noise, 0.42, 0.3, 4000.0, 600.0, 0.25), 8.0, 0.1);
  return Join(steps.Tones, {slide, thud});
}

}  // namespace

std::vector<Design> Designs() {
  return {
      {"jump", {WithDuty(Decaying(Slide(Voice::Square, 0, 0.16, 260, 720, 0.6), 6, 0.04), 0.25)}, Frequent},
      {"eat",
       {WithDuty(Note(Voice::Square, 0, 0.05, E6, 0.5), 0.5),
        Decaying(WithDuty(Note(Voice::Square, 0.05, 0.09, B5 + 12, 0.5), 0.5), 12, 0.04)},
       Frequent},
      {"open", OpenChime(), Rare},
      // A dull knock twice, the second lower: the way is shut.
      {"locked",
       {Decaying(Note(Voice::Triangle, 0, 0.08, C4 + 2, 0.8), 20, 0.03),
        Decaying(Note(Voice::Triangle, 0.1, 0.14, C4, 0.8), 14, 0.05),
        Decaying(Slide(Voice::Noise, 0, 0.05, 5000, 2000, 0.15), 40, 0.02),
        Decaying(Slide(Voice::Noise, 0.1, 0.05, 5000, 2000, 0.15), 40, 0.02)},
       Rare},
      {"finish", FinishRun(), Rare},
      {"best", BestFanfare(), Fanfare},
      {"topten", TopTenFanfare(), Fanfare},
      {"fail", FailLament(), Rare},
      {"move", {Decaying(Note(Voice::Triangle, 0, 0.035, C7, 0.5), 60, 0.01)}, Tick},
      {"choose",
       {WithDuty(Note(Voice::Square, 0, 0.05, G5, 0.5), 0.5),
        Decaying(WithDuty(Note(Voice::Square, 0.05, 0.1, D6, 0.5), 0.5), 15, 0.04)},
       Answer},
      // The way back: a soft triangle falling, where choosing rises on a bright square.
      {"back",
       {Note(Voice::Triangle, 0, 0.05, D6 - 12, 0.6),
        Decaying(Slide(Voice::Triangle, 0.05, 0.1, Hz(A4 - 12), Hz(D5 - 24), 0.6), 15, 0.04)},
       Answer},
      {"type", {Decaying(WithDuty(Note(Voice::Square, 0, 0.03, C4, 0.5), 0.5), 80, 0.01)}, Tick},
      {"erase", {Decaying(Slide(Voice::Triangle, 0, 0.05, Hz(G5), Hz(C5), 0.5), 30, 0.015)}, Tick},
      {"paint", {Decaying(Slide(Voice::Noise, 0, 0.045, 9000, 5000, 0.4), 40, 0.015)}, Tick},
      {"place", {Decaying(Slide(Voice::Triangle, 0, 0.08, Hz(C5), Hz(C6), 0.6), 20, 0.03)}, Answer},
      {"remove", {Decaying(Slide(Voice::Triangle, 0, 0.09, Hz(C6), Hz(G4 - 5), 0.6), 18, 0.03)}, Answer},
      {"start",
       {[] {
         Tone tone = Decaying(Note(Voice::Square, 0, 0.15, G5, 0.5), 10, 0.04);
         tone.Arpeggio = {0, 5, 12};
         tone.ArpeggioRate = 40;
         return tone;
       }()},
       Answer},
      {"saved",
       Line{Voice::Square, 0.5, 0.5, 6.0}.Play(C5 + 12, 0.07).Play(E5 + 12, 0.07).Play(G5 + 12, 0.18).Tones,
       Answer},
      {"opened", Line{Voice::Triangle, 0.5, 0.6, 6.0}.Play(G5, 0.07).Play(C6, 0.07).Play(E6, 0.18).Tones,
       Answer},
      // Three harsh beeps of a clashing pair: unlike anything else the game says.
      {"error",
       Join(Join(Line{Voice::Saw, 0.5, 0.5, 2.0}
                     .Play(E4, 0.07)
                     .Rest(0.03)
                     .Play(E4, 0.07)
                     .Rest(0.03)
                     .Play(E4, 0.12)
                     .Tones,
                 Line{Voice::Square, 0.5, 0.4, 2.0}
                     .Play(E4 + 1, 0.07)
                     .Rest(0.03)
                     .Play(E4 + 1, 0.07)
                     .Rest(0.03)
                     .Play(E4 + 1, 0.12)
                     .Tones),
            {}),
       Rare},
      // A landing: a low body falling an octave under a short muffled scuff, no pitch to
      // catch the ear, so that it sits under the jump and the food.
      {"land",
       {Decaying(Slide(Voice::Triangle, 0, 0.14, 150, 75, 0.9), 22, 0.05),
        Decaying(Slide(Voice::Noise, 0, 0.06, 900, 300, 0.2), 45, 0.03)},
       Soft},
  };
}

}  // namespace synth
