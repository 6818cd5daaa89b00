#pragma once
#include <string>
#include <vector>

#include "assets/soundgen/synth.h"

// The game's music as written: each piece a few sections of chords and melody, played in
// an order, over the bass, arpeggio and drum patterns of its style. Arranged into the
// synthesiser's tones, so the music is made where it plays, like the effects.
namespace music {

// Four bars: a chord a bar and a melody by the eighth.
struct Section {
  char Name;
  std::string Chords;  // "C Am F G7": root, then "", "m", "7", "m7" or "maj7"
  std::string Melody;  // eighths: a note ("E5", "Bb4", "G#5") starts, "-" holds, "." rests; "|" for the eye
};

// How a piece plays its chords: one bar of each pattern, repeated.
struct Style {
  std::string Bass;   // eighths: "R" root, "F" fifth, "O" octave, "-" holds, "." rests
  std::string Drums;  // sixteenths: "k" kick, "s" snare, "h" hat, "." nothing
  synth::Voice Lead = synth::Voice::Square;
  double LeadDuty = 0.5;
  double LeadLevel = 0.3;
  double ArpeggioLevel = 0.1;  // the chord, broken by the sixteenth on a thin pulse
  double BassLevel = 0.4;
  double DrumLevel = 0.3;
  // The colour of a piece beyond its patterns; the defaults play the patterns straight.
  double LeadDecay = 1.2;  // how fast a melody note fades, per second
  synth::Voice Arpeggio = synth::Voice::Square;
  double ArpeggioSteps = 4;  // chord notes a beat
  double Swing = 0.5;        // where the second eighth of a beat falls, as a share of the beat
  // Each melody note comes back `Echoes` times, `EchoDelay` eighths apart, each echo at
  // `EchoLevel` of the one before; echoes past the end sound at the start of the next pass.
  int Echoes = 0;
  double EchoDelay = 3;
  double EchoLevel = 0.5;
  // A bell's upper partial over each melody note: its pitch as a multiple of the note's,
  // its level against the note's (0 for none); it fades three times as fast.
  double BellRatio = 2.76;
  double BellLevel = 0.0;
};

struct Piece {
  std::string Name;
  double Tempo;  // quarter notes a minute
  Style Sound;
  std::vector<Section> Sections;
  std::string Order;  // section names, played in turn and then again from the first
  double Level;       // the whole piece's gain
};

// One pass through the piece: its tones, and its length in samples. Tones that ring past
// the end overlap the next pass, so the piece loops without a seam.
struct Arrangement {
  std::vector<synth::Tone> Tones;  // by start
  size_t Period = 0;
};
Arrangement Arrange(const Piece& piece);

// The pieces, for the menus, a run and the editor; plus plays a run in a look of its own
// to a tune of its own (the first look's is Run).
enum class PieceId { Menus, Run, Editor, DuskRun, CaveRun, SnowRun };
constexpr int PieceCount = 6;
const Piece& ScoreOf(PieceId id);

}  // namespace music
