// The three pieces of the game, as written.
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
  }
  return Menus;
}

}  // namespace music
