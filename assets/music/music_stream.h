#pragma once
#include <span>
#include <vector>

#include "score.h"

namespace music {

// A piece played from its score as it goes, sample by sample, looping for ever: no
// recording is kept, and the loop point is as smooth as any other moment.
class MusicStream {
 public:
  explicit MusicStream(const Piece& piece);
  MusicStream(const MusicStream&) = delete;
  MusicStream& operator=(const MusicStream&) = delete;

  // Writes the next samples, in -1..1.
  void Render(std::span<float> out);
  size_t Period() const { return arrangement_.Period; }

 private:
  Arrangement arrangement_;
  std::vector<size_t> starts_;  // each tone's first sample in a pass
  double level_;
  size_t position_ = 0;  // in the current pass
  size_t next_ = 0;      // the next tone to start
  std::vector<synth::ToneVoice> sounding_;
  synth::DcBlocker blocker_;
};

}  // namespace music
