#include "music_stream.h"

#include <algorithm>

namespace music {

MusicStream::MusicStream(const Piece& piece) : arrangement_(Arrange(piece)), level_(piece.Level) {
  for (const synth::Tone& tone : arrangement_.Tones) starts_.push_back(synth::SampleAt(tone.Start));
}

void MusicStream::Render(std::span<float> out) {
  for (float& sample : out) {
    if (position_ == arrangement_.Period) position_ = next_ = 0;
    while (next_ < starts_.size() && starts_[next_] == position_)
      sounding_.emplace_back(arrangement_.Tones[next_++]);
    double sum = 0.0;
    for (synth::ToneVoice& voice : sounding_) sum += voice.Next();
    sample = static_cast<float>(level_ * blocker_.Next(sum));
    ++position_;
    if (position_ % 64 == 0) std::erase_if(sounding_, [](const synth::ToneVoice& v) { return v.Done(); });
  }
}

}  // namespace music
