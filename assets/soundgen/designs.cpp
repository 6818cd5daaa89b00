#include "designs.h"

#include <algorithm>

namespace synth {
namespace {

// Loudness: the effects of a run alike, the answers of menus and the editor a little
// softer, the ticks of moving and typing softest.
constexpr double Gameplay = -16.0;
constexpr double Highlight = -14.0;  // the open exit and the fanfares stand out
constexpr double Answer = -19.0;
constexpr double Tick = -25.0;

// MIDI notes of the C major scale used by the tunes.
constexpr int G4 = 67, A4 = 69, C5 = 72, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81, B5 = 83;
constexpr int C6 = 84, D6 = 86, E6 = 88, G6 = 91, C7 = 96;

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

// The rising run that opens both fanfares: the run is over.
std::vector<Tone> FinishRun() {
  Line lead{Voice::Square, 0.5, 0.6, 4.0};
  lead.Play(G5, 0.06).Play(C6, 0.06).Play(E6, 0.06).Play(G6, 0.16);
  return lead.Tones;
}

std::vector<Tone> BestFanfare() {
  Line lead{Voice::Square, 0.5, 0.55, 1.5, 0.38};
  lead.Play(G5, 0.11).Play(G5, 0.11).Play(G5, 0.11).Play(C6, 0.33).Play(A5, 0.11).Play(C6, 0.11).Play(E6,
                                                                                                      0.7);
  Line harmony{Voice::Square, 0.25, 0.3, 1.5, 0.38};
  harmony.Play(E5, 0.11).Play(E5, 0.11).Play(E5, 0.11).Play(G5, 0.33).Play(F5, 0.11).Play(A5, 0.11).Play(C6,
                                                                                                         0.7);
  Line bass{Voice::Triangle, 0.5, 0.8, 0.8, 0.38};
  bass.Play(C5 - 12, 0.33).Play(C5 - 12, 0.33).Play(F5 - 24, 0.22).Play(C5 - 12, 0.7);
  return Join(Join(Join(FinishRun(), lead.Tones), harmony.Tones), bass.Tones);
}

std::vector<Tone> TopTenFanfare() {
  Line lead{Voice::Square, 0.5, 0.55, 2.5, 0.38};
  lead.Play(E6, 0.1).Play(D6, 0.1).Play(C6, 0.1).Play(D6, 0.1).Play(E6, 0.4);
  Line bass{Voice::Triangle, 0.5, 0.8, 1.2, 0.38};
  bass.Play(C5 - 12, 0.2).Play(G4 - 12, 0.2).Play(C5 - 12, 0.4);
  return Join(Join(FinishRun(), lead.Tones), bass.Tones);
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
      {"jump", {WithDuty(Decaying(Slide(Voice::Square, 0, 0.16, 260, 720, 0.6), 6, 0.04), 0.25)}, Gameplay},
      {"eat",
       {WithDuty(Note(Voice::Square, 0, 0.05, E6, 0.5), 0.5),
        Decaying(WithDuty(Note(Voice::Square, 0.05, 0.09, B5 + 12, 0.5), 0.5), 12, 0.04)},
       Gameplay},
      {"open", OpenChime(), Highlight},
      {"locked",
       {Note(Voice::Square, 0, 0.08, A4 - 24, 0.5),
        Decaying(Note(Voice::Square, 0.09, 0.16, A4 - 25, 0.5), 5, 0.05),
        Note(Voice::Saw, 0, 0.08, A4 - 12 + 1, 0.25),
        Decaying(Note(Voice::Saw, 0.09, 0.16, A4 - 12, 0.25), 5, 0.05)},
       Gameplay},
      {"finish", FinishRun(), Gameplay},
      {"best", BestFanfare(), Highlight},
      {"topten", TopTenFanfare(), Highlight},
      {"fail", FailLament(), Gameplay},
      {"move", {Decaying(Note(Voice::Triangle, 0, 0.035, C7, 0.5), 60, 0.01)}, Tick},
      {"choose",
       {WithDuty(Note(Voice::Square, 0, 0.05, G5, 0.5), 0.25),
        Decaying(WithDuty(Note(Voice::Square, 0.05, 0.1, D6, 0.5), 0.25), 15, 0.04)},
       Answer},
      {"back",
       {WithDuty(Note(Voice::Square, 0, 0.05, D6, 0.5), 0.25),
        Decaying(WithDuty(Note(Voice::Square, 0.05, 0.1, G5, 0.5), 0.25), 15, 0.04)},
       Answer},
      {"type", {Decaying(WithDuty(Note(Voice::Square, 0, 0.03, G6, 0.4), 0.125), 80, 0.01)}, Tick},
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
      {"error",
       {Decaying(Note(Voice::Saw, 0, 0.32, A4 - 24, 0.5), 3, 0.06),
        Decaying(WithDuty(Note(Voice::Square, 0, 0.32, A4 - 23, 0.4), 0.5), 3, 0.06)},
       Answer},
  };
}

}  // namespace synth
