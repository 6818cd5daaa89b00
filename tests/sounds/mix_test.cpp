// The mixing stage heard over real play: every tick of the recorded runs and an editor
// session mixed offline as the game mixes them, and never a sample at full scale; and the
// music itself, measured from its score.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "assets/soundgen/loudness.h"
#include "sounds/mixer.h"
#include "sounds/music_choice.h"
#include "support/temp_dir.h"
#include "tools/script_runner.h"

namespace tobu::testing {
namespace {

namespace fs = std::filesystem;

constexpr size_t TickSamples = 441;  // 10 ms

// Mixes one tick the way the game does: the tick's sounds start, the music follows the mode.
struct OfflineMix {
  Mixer mixer;
  int16_t loudest = 0;
  void Tick(Game& form) {
    mixer.Play(form.Events.Drain());
    mixer.SetMusic(&MusicFor(form.Mode));
    int16_t block[TickSamples];
    mixer.Mix(block);
    for (const int16_t s : block) loudest = std::max<int16_t>(loudest, static_cast<int16_t>(std::abs(s)));
  }
};

TEST(Mixing, NoRecordedRunOrEditorSessionReachesFullScale) {
  const TempDir dir(true);
  fs::copy(fs::path(TOBU_SOURCE_DIR) / "Levels", "Levels");
  SoftwareDisplay display;
  Game form{display};
  std::ostringstream out;
  ScriptRunner runner{form, display, out};
  runner.Start();
  OfflineMix mix;
  mix.mixer.SetMusicVolume(0);  // the effects alone, which must not need the limiter
  int runs = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(TOBU_SOURCE_DIR) / "tests" / "replays")) {
    if (entry.path().extension() != ".tbr") continue;
    form.WatchReplay(entry.path().string());
    ASSERT_TRUE(form.WatchingReplay()) << entry.path();
    while (form.WatchedRunGoesOn()) {
      form.Tick(1);
      mix.Tick(form);
    }
    form.StopWatching();
    ++runs;
  }
  EXPECT_EQ(runs, 30);
  std::ifstream script(fs::path(TOBU_SOURCE_DIR) / "tests" / "scripts" / "editor_session.script");
  for (std::string line; std::getline(script, line);) {
    runner.RunLine(line);  // a line's ticks all start in one: harder than the game
    mix.Tick(form);
  }
  EXPECT_LT(mix.loudest, 32767);
  EXPECT_GT(mix.loudest, 8000);  // and something was heard
}

// Everything at once, over the music at full volume: the limiter holds the ceiling.
TEST(Mixing, EverySoundTogetherStaysUnderTheCeiling) {
  Mixer mixer;
  mixer.SetMusic(&music::ScoreOf(music::PieceId::Run));
  std::vector<GameEvent> all;
  for (int i = 0; i < GameEventCount; ++i) all.push_back(static_cast<GameEvent>(i));
  std::vector<int16_t> out(44100);
  mixer.Play(all);
  mixer.Mix(out);
  EXPECT_GT(mixer.LargestBeforeLimit(), 1.0);                   // it would have clipped
  EXPECT_LE(*std::max_element(out.begin(), out.end()), 29205);  // -1 dBFS
  EXPECT_GE(*std::min_element(out.begin(), out.end()), -29205);
}

// Each piece: over a minute before it repeats, peaks well under full scale, a few dB
// under the effects, no offset, and a loop point no rougher than any other moment: the
// second pass joins the first as smoothly as the music moves anywhere.
TEST(Music, PiecesLoopSeamlesslyUnderTheEffects) {
  struct Case {
    music::PieceId Id;
    double Loudness;  // K-weighted, the loudest 400 ms
  };
  for (const Case& c : {Case{music::PieceId::Menus, -20.8}, Case{music::PieceId::Run, -21.3},
                        Case{music::PieceId::Editor, -20.5}, Case{music::PieceId::DuskRun, -20.6},
                        Case{music::PieceId::CaveRun, -19.2}, Case{music::PieceId::SnowRun, -19.9}}) {
    const music::Piece& piece = music::ScoreOf(c.Id);
    SCOPED_TRACE(piece.Name);
    music::MusicStream stream(piece);
    const size_t period = stream.Period();
    EXPECT_GE(period, 60u * 44100);
    std::vector<float> rendered(2 * period);
    stream.Render(rendered);
    const std::vector<double> pass(rendered.begin() + static_cast<long>(period), rendered.end());
    double peak = 0, step = 0, bend = 0;
    for (size_t i = 2; i < pass.size(); ++i) {
      peak = std::max(peak, std::fabs(pass[i]));
      step = std::max(step, std::fabs(pass[i] - pass[i - 1]));
      bend = std::max(bend, std::fabs(pass[i] - 2 * pass[i - 1] + pass[i - 2]));
    }
    EXPECT_LE(20 * std::log10(peak), -6.0);
    EXPECT_NEAR(synth::LoudestWindowDb(pass, 0.4), c.Loudness, 0.5);
    for (size_t at = 0; at + 44100 <= pass.size(); at += 44100) {
      double sum = 0;
      for (size_t i = at; i < at + 44100; ++i) sum += pass[i];
      ASSERT_LE(std::fabs(sum / 44100), 0.002) << "offset in second " << at / 44100;
    }
    const auto seam = [&](int i) { return static_cast<double>(rendered[period + static_cast<size_t>(i)]); };
    EXPECT_LE(std::fabs(seam(0) - seam(-1)), step);
    EXPECT_LE(std::fabs(seam(0) - 2 * seam(-1) + seam(-2)), bend);
    EXPECT_LE(std::fabs(seam(1) - 2 * seam(0) + seam(-1)), bend);
  }
}

}  // namespace
}  // namespace tobu::testing
