// The pieces of the game, as written.
#include "score.h"

namespace music {
namespace {

// In the menus: an easy-going tune in C, a walk in the meadow.
const Piece Menus{
    "menus",
    104,
    {"R . F . O . F .", "k...h.h.s...h...", synth::Voice::Square, 0.25, 0.3, 0.09, 0.42, 0.28},
    {
        {'A', "C Am F G",  //
         "E5 - G5 - C6 - B5 A5 | G5 - - - E5 - C5 - | F5 - A5 - C6 - A5 F5 | G5 - - - - - . ."},
        {'B', "Am Em F C",  //
         "A5 - - G5 E5 - C5 - | B4 - E5 - G5 - - - | A5 - C6 - A5 - G5 F5 | E5 - - - - - . ."},
        {'C', "F G Em Am",  //
         "F5 - E5 F5 A5 - G5 - | G5 - F5 G5 B5 - A5 - | G5 - E5 - B4 - E5 - | A5 - - - C6 - B5 -"},
        {'D', "Dm G C G7",  //
         "A5 - F5 - D5 - F5 - | G5 - B5 - D6 - B5 - | C6 - G5 - E5 - C5 - | D5 - E5 - F5 - G5 -"},
    },
    "ABACABCD",
    0.31};

// In a run: a driving tune in A minor, octaves in the bass and the hat on every beat.
const Piece Run{
    "run",
    150,
    {"R R O R R R O R", "k.h.s.hkk.h.s.hh", synth::Voice::Square, 0.5, 0.24, 0.08, 0.4, 0.3},
    {
        {'A', "Am F C G",  //
         "A5 - C6 A5 E5 - A5 - | F5 - A5 F5 C5 - F5 - | G5 - E5 - C6 - G5 - | B5 - D6 - G5 - B5 -"},
        {'B', "Am F C G",  //
         "E6 - - D6 C6 - B5 A5 | C6 - - B5 A5 - G5 F5 | E5 - G5 - C6 - E6 - | D6 - - - B5 - G5 -"},
        {'C', "Dm Am Dm E",  //
         "D6 - F6 - D6 - A5 - | C6 - E6 - C6 - A5 - | D6 - A5 - F5 - D5 - | E5 - G#5 - B5 - E6 -"},
        {'D', "F G E Am",  //
         "A5 - F5 - C6 - A5 - | B5 - G5 - D6 - B5 - | G#5 - E5 - B5 - G#5 - | A5 - - - E5 - . ."},
    },
    "AABACDBCAD",
    0.29};

// A run at dusk: the evening's tune in F, slower and swung, on soft triangles and major
// sevenths, the chords broken by the eighth.
const Piece DuskRun{
    "dusk",
    112,
    [] {
      Style style{"R - F O R - F .", "k.h.s.h.k.h.s.h.", synth::Voice::Triangle, 0.5, 0.42, 0.07, 0.42, 0.26};
      style.LeadDecay = 0.9;
      style.Arpeggio = synth::Voice::Triangle;
      style.ArpeggioSteps = 2;
      style.Swing = 0.64;
      return style;
    }(),
    {
        {'A', "Fmaj7 Dm7 Gm7 C7",  //
         "A5 - C6 - E6 - - C6 | D6 - C6 A5 F5 - - . | Bb5 - D6 - F6 - D6 Bb5 | G5 - - - E5 - . ."},
        {'B', "Fmaj7 Am7 Bbmaj7 C7",  //
         "C6 - A5 - F5 - A5 C6 | E6 - - D6 C6 - A5 - | D6 - - C6 Bb5 - A5 - | G5 - Bb5 - E6 - . ."},
        {'C', "Dm7 Gm7 Bbmaj7 C",  //
         "F5 - A5 - C6 - A5 F5 | G5 - Bb5 - D6 - - . | A5 - - Bb5 D6 - F6 - | E6 - - - C6 - . ."},
        {'D', "Bbmaj7 Am7 Gm7 C7",  //
         "D6 - F6 - D6 - Bb5 - | C6 - E6 - C6 - A5 - | Bb5 - G5 - D5 - F5 - | E5 - G5 - Bb5 - C6 -"},
    },
    "ABACABCD",
    0.32};

// A run in a cave: a few low notes in E minor that come back off the walls, a drone for
// a bass and a drum now and then.
const Piece CaveRun{
    "cave",
    96,
    [] {
      Style style{"R - - - F - - -", "k.........h.....", synth::Voice::Triangle, 0.5, 0.45, 0.1, 0.12, 0.06};
      style.LeadDecay = 1.0;
      style.Arpeggio = synth::Voice::Triangle;
      style.ArpeggioSteps = 2;
      style.Echoes = 3;
      style.EchoDelay = 3;
      style.EchoLevel = 0.5;
      return style;
    }(),
    {
        {'A', "Em C Am B7",  //
         "E5 - - - . . B4 - | G4 - - - . . . . | A4 - C5 - E5 - - - | D#5 - - - . . . ."},
        {'B', "Em G Am B",  //
         "G4 - - - B4 - - - | D5 - - - . . B4 - | C5 - - - A4 - - - | B4 - - - . . . ."},
        {'C', "C Am Em B7",  //
         ". . E5 - G5 - - - | A4 - - - . . C5 - | B4 - - - G4 - - - | F#4 - - - D#4 - . ."},
        {'D', "Am Em C B7",  //
         "A4 - - - C5 - E5 - | G5 - - - . . . . | E5 - - - C5 - - - | B4 - - - . . . ."},
    },
    "ABACBCD",
    0.42};

// A run in the snow: a light tune in D high up, each note struck like a small bell over
// a thin broken chord and a hat.
const Piece SnowRun{
    "snow",
    132,
    [] {
      Style style{"R . . . F . . .", "k.h.h.h.k.h.h.h.", synth::Voice::Triangle, 0.5, 0.5, 0.12, 0.25, 0.14};
      style.LeadDecay = 4.0;
      style.BellLevel = 0.35;
      return style;
    }(),
    {
        {'A', "D Bm G A",  //
         "F#6 - A6 - F#6 - D6 - | B5 - D6 - F#6 - - . | G6 - F#6 - E6 - D6 - | E6 - - - C#6 - . ."},
        {'B', "G A F#m Bm",  //
         "D6 - G6 - B6 - G6 - | C#6 - E6 - A6 - - . | F#6 - E6 - C#6 - A5 - | B5 - - - D6 - . ."},
        {'C', "Em A D G",  //
         "E6 - G6 - B6 - - G6 | A6 - - E6 C#6 - A5 - | D6 - F#6 - A6 - F#6 - | G6 - - - B6 - . ."},
        {'D', "Em G A A7",  //
         "G6 - E6 - B5 - E6 - | D6 - B5 - G5 - B5 - | C#6 - E6 - A6 - E6 - | G6 - E6 - C#6 - A5 -"},
    },
    "ABACDBCAD",
    0.37};

// In the editor: a gentle tune in F on a soft triangle, for long work.
const Piece Editor{
    "editor",
    96,
    {"R - - - F - - -", "k...h...s...h...", synth::Voice::Triangle, 0.5, 0.5, 0.08, 0.4, 0.2},
    {
        {'A', "F Dm Bb C",  //
         "A5 - - C6 - A5 F5 - | D5 - F5 - A5 - - - | Bb5 - A5 - G5 - F5 - | G5 - - - - - . ."},
        {'B', "F Am Bb C",  //
         "C6 - A5 - F5 - A5 - | E5 - - G5 - C6 - - | D6 - C6 - Bb5 - A5 - | G5 - E5 - C5 - . ."},
        {'C', "Dm Am Bb F",  //
         "F5 - A5 - D6 - C6 - | C6 - - A5 E5 - - - | D6 - Bb5 - F5 - D5 - | F5 - - - A5 - . ."},
        {'D', "Gm C F C7",  //
         "Bb5 - G5 - D5 - G5 - | C6 - E5 - G5 - Bb5 - | A5 - F5 - C5 - F5 - | E5 - G5 - Bb5 - C6 -"},
    },
    "ABACBCD",
    0.32};

}  // namespace

const Piece& ScoreOf(PieceId id) {
  switch (id) {
    case PieceId::Menus:
      return Menus;
    case PieceId::Run:
      return Run;
    case PieceId::Editor:
      return Editor;
    case PieceId::DuskRun:
      return DuskRun;
    case PieceId::CaveRun:
      return CaveRun;
    case PieceId::SnowRun:
      return SnowRun;
  }
  return Menus;
}

}  // namespace music
