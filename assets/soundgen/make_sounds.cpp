// make-sounds: synthesises the game's sound effects and writes them as 16-bit mono
// WAV files into the directory given on the command line.
#include <cstdio>
#include <string>

#include "designs.h"
#include "wav_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-sounds <output directory>\n");
    return 2;
  }
  int failures = 0;
  for (const synth::Design& design : synth::Designs()) {
    std::vector<double> samples = synth::Render(design.Tones);
    synth::Level(samples, design.LoudnessDb, -1.5);
    const std::string path = std::string(argv[1]) + "/" + design.Name + ".wav";
    if (!synth::WriteFile(path, synth::EncodeWav(synth::ToPcm16(samples)))) {
      std::fprintf(stderr, "make-sounds: cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
