#include "score.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace music {
namespace {

using synth::Tone;
using synth::Voice;

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) {
    if (word != "|") words.push_back(word);
  }
  return words;
}

// "C" is 0, "C#" 1, "Db" 1 ... "B" 11; `length` gets how many letters were read.
int PitchClass(const std::string& name, size_t& length) {
  static const int natural[] = {9, 11, 0, 2, 4, 5, 7};  // A to G
  if (name.empty() || name[0] < 'A' || name[0] > 'G') throw std::invalid_argument("not a note: " + name);
  int pitch = natural[name[0] - 'A'];
  length = 1;
  if (name.size() > 1 && (name[1] == '#' || name[1] == 'b')) {
    pitch += name[1] == '#' ? 1 : -1;
    length = 2;
  }
  return (pitch + 12) % 12;
}

// "E5" is MIDI note 76.
int MidiNote(const std::string& name) {
  size_t length = 0;
  const int pitch = PitchClass(name, length);
  if (length + 1 != name.size() || name[length] < '0' || name[length] > '9')
    throw std::invalid_argument("not a note: " + name);
  return 12 * (name[length] - '0' + 1) + pitch;
}

struct Chord {
  int Root;                    // pitch class
  std::vector<int> Intervals;  // semitones over the root
};

Chord ParseChord(const std::string& name) {
  size_t length = 0;
  Chord chord{PitchClass(name, length), {}};
  const std::string quality = name.substr(length);
  if (quality.empty())
    chord.Intervals = {0, 4, 7, 12};
  else if (quality == "m")
    chord.Intervals = {0, 3, 7, 12};
  else if (quality == "7")
    chord.Intervals = {0, 4, 7, 10};
  else if (quality == "m7")
    chord.Intervals = {0, 3, 7, 10};
  else if (quality == "maj7")
    chord.Intervals = {0, 4, 7, 11};
  else
    throw std::invalid_argument("not a chord: " + name);
  return chord;
}

Tone MakeTone(Voice kind, double start, double length, double hz, double level, double decay) {
  Tone tone;
  tone.Kind = kind;
  tone.Start = start;
  tone.Length = length;
  tone.FromHz = hz;
  tone.Level = level;
  tone.Decay = decay;
  tone.Release = std::min(0.03, length / 3);
  return tone;
}

// Eighths laid out in time: the second eighth of each beat comes `Swing` of the way
// through the beat. Straight (a half) adds exactly nothing, so straight pieces play as
// they always have.
struct EighthGrid {
  double Start, Eighth, Shift;
  EighthGrid(double start, double eighth, double swing)
      : Start(start), Eighth(eighth), Shift((2 * swing - 1) * eighth) {}
  double Late(size_t i) const { return i % 2 == 1 ? Shift : 0.0; }
  double At(size_t i) const { return Start + (static_cast<double>(i) * Eighth + Late(i)); }
  double Span(size_t from, size_t to) const {
    return static_cast<double>(to - from) * Eighth + (Late(to) - Late(from));
  }
};

// A line of steps ("E5 - - ." or "R - F ."): each sounding word starts a tone that lasts
// over the holds after it. `pitch` gives a word's note, or -1 for a rest.
template <typename Pitch>
void AddLine(std::vector<Tone>& tones, const std::vector<std::string>& steps, const EighthGrid& grid,
             const Tone& kind, Pitch&& pitch) {
  for (size_t i = 0; i < steps.size(); ++i) {
    if (steps[i] == "-" || steps[i] == ".") continue;
    const int midi = pitch(steps[i]);
    if (midi < 0) continue;
    size_t end = i + 1;
    while (end < steps.size() && steps[end] == "-") ++end;
    Tone tone = MakeTone(kind.Kind, grid.At(i), grid.Span(i, end), synth::Hz(midi), kind.Level, kind.Decay);
    tone.Duty = kind.Duty;
    tone.VibratoDepth = kind.VibratoDepth;
    tones.push_back(tone);
  }
}

void AddDrum(std::vector<Tone>& tones, char drum, double at, double level) {
  switch (drum) {
    case 'k': {  // a thump falling from 150 Hz to 60
      Tone kick = MakeTone(Voice::Triangle, at, 0.14, 150.0, 1.4 * level, 18.0);
      kick.ToHz = 60.0;
      tones.push_back(kick);
      break;
    }
    case 's': {
      Tone snare = MakeTone(Voice::Noise, at, 0.12, 7000.0, 0.6 * level, 22.0);
      snare.ToHz = 3000.0;
      tones.push_back(snare);
      tones.push_back(MakeTone(Voice::Triangle, at, 0.06, 190.0, 0.6 * level, 30.0));
      break;
    }
    case 'h':
      tones.push_back(MakeTone(Voice::Noise, at, 0.035, 14000.0, 0.25 * level, 70.0));
      break;
    case '.':
      break;
    default:
      throw std::invalid_argument(std::string("not a drum: ") + drum);
  }
}

// The melody's bell partials and echoes, for the tones from `first` on.
void AddBellsAndEchoes(std::vector<Tone>& tones, size_t first, const Style& style, double eighth) {
  if (style.BellLevel > 0.0) {
    for (size_t i = first, end = tones.size(); i < end; ++i) {
      Tone bell = tones[i];
      bell.FromHz *= style.BellRatio;
      bell.Level *= style.BellLevel;
      bell.Decay *= 3;
      tones.push_back(bell);
    }
  }
  for (size_t i = first, end = tones.size(); i < end; ++i) {
    Tone echo = tones[i];
    for (int k = 0; k < style.Echoes; ++k) {
      echo.Start += style.EchoDelay * eighth;
      echo.Level *= style.EchoLevel;
      tones.push_back(echo);
    }
  }
}

// The four bars of a section from `start`: melody, chords broken and in the bass, drums.
void AddSection(std::vector<Tone>& tones, const Piece& piece, const Section& section, double start) {
  const double eighth = 30.0 / piece.Tempo, bar = 8 * eighth;
  const Style& style = piece.Sound;
  if (Words(section.Melody).size() != 32 || Words(section.Chords).size() != 4 ||
      Words(style.Bass).size() != 8)
    throw std::invalid_argument(std::string("section ") + section.Name + " is not four bars");
  Tone lead = MakeTone(style.Lead, 0, 0, 0, style.LeadLevel, style.LeadDecay);
  lead.Duty = style.LeadDuty;
  lead.VibratoDepth = 0.08;
  const size_t melody = tones.size();
  AddLine(tones, Words(section.Melody), EighthGrid(start, eighth, style.Swing), lead, MidiNote);
  AddBellsAndEchoes(tones, melody, style, eighth);
  const std::vector<std::string> chords = Words(section.Chords), bass = Words(style.Bass);
  for (size_t b = 0; b < chords.size(); ++b) {
    const Chord chord = ParseChord(chords[b]);
    const double at = start + static_cast<double>(b) * bar;
    const int low = 40 + (chord.Root + 8) % 12;  // the bass root between E2 and D#3
    const Tone bassKind = MakeTone(Voice::Triangle, 0, 0, 0, style.BassLevel, 2.0);
    AddLine(tones, bass, EighthGrid(at, eighth, style.Swing), bassKind, [&](const std::string& step) {
      return step == "R" ? low : step == "F" ? low + 7 : step == "O" ? low + 12 : -1;
    });
    Tone arpeggio = MakeTone(style.Arpeggio, at, bar, synth::Hz(low + 24), style.ArpeggioLevel, 0.4);
    arpeggio.Duty = 0.125;
    arpeggio.Arpeggio = chord.Intervals;
    arpeggio.ArpeggioRate = style.ArpeggioSteps * piece.Tempo / 60.0;
    tones.push_back(arpeggio);
    const size_t steps = style.Drums.size();
    const double sixteenth = bar / static_cast<double>(steps);
    const EighthGrid grid(at, eighth, style.Swing);
    for (size_t d = 0; d < steps; ++d) {
      const bool onEighth = d * 8 % steps == 0;  // swung with the eighths
      const double late = onEighth ? grid.Late(d * 8 / steps) : 0.0;
      AddDrum(tones, style.Drums[d], at + (static_cast<double>(d) * sixteenth + late), style.DrumLevel);
    }
  }
}

}  // namespace

Arrangement Arrange(const Piece& piece) {
  Arrangement arrangement;
  const double sectionLength = 4 * 240.0 / piece.Tempo;
  double start = 0.0;
  for (const char name : piece.Order) {
    const auto section = std::find_if(piece.Sections.begin(), piece.Sections.end(),
                                      [&](const Section& s) { return s.Name == name; });
    if (section == piece.Sections.end()) throw std::invalid_argument(std::string("no section ") + name);
    AddSection(arrangement.Tones, piece, *section, start);
    start += sectionLength;
  }
  arrangement.Period = synth::SampleAt(start);
  for (Tone& tone : arrangement.Tones) {  // a late echo rings in at the top of the next pass
    if (synth::SampleAt(tone.Start) >= arrangement.Period) tone.Start -= start;
  }
  std::stable_sort(arrangement.Tones.begin(), arrangement.Tones.end(), [](const Tone& a, const Tone& b) {
    return synth::SampleAt(a.Start) < synth::SampleAt(b.Start);
  });
  return arrangement;
}

}  // namespace music
