// The mixing stage heard over real play: every tick of the recorded runs and an editor
// session mixed offline as the game mixes them, and never a sample at full scale; and the
// music itself, measured from its score.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

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

// A run's sound heard where the runner made it, by each side's peak against the centred
// mix; a menu's sound stays centred. Centred, both sides are the mono mix exactly.
TEST(Mixing, RunSoundsPanAcrossTheView) {
  const struct {
    GameEvent Event;
    double Across, Left, Right;
  } cases[] = {
      {GameEvent::Eat, 0.0, 1.0, 0.3},  {GameEvent::Eat, 0.25, 1.0, 0.65}, {GameEvent::Fail, 0.5, 1.0, 1.0},
      {GameEvent::Jump, 1.0, 0.3, 1.0}, {GameEvent::Land, 1.7, 0.3, 1.0},  // off the view: as at its edge
      {GameEvent::Move, 0.0, 1.0, 1.0},                                    // a menu's sound
  };
  for (const auto& c : cases) {
    Mixer stereo, centred;
    stereo.Play({c.Event}, PanAt(c.Across));
    centred.Play({c.Event});
    std::vector<int16_t> both(2 * 4410), one(4410);
    stereo.MixStereo(both);
    centred.Mix(one);
    double left = 0, right = 0, middle = 0;
    bool exact = true;
    for (size_t i = 0; i < one.size(); ++i) {
      left = std::max(left, std::fabs(both[2 * i]));
      right = std::max(right, std::fabs(both[2 * i + 1]));
      middle = std::max(middle, std::fabs(one[i]));
      exact &= both[2 * i] == one[i] && both[2 * i + 1] == one[i];
    }
    SCOPED_TRACE(std::string(EventName(c.Event)) + " at " + std::to_string(c.Across));
    ASSERT_GT(middle, 1000);
    EXPECT_NEAR(left / middle, c.Left, 0.01);
    EXPECT_NEAR(right / middle, c.Right, 0.01);
    EXPECT_TRUE(c.Left != c.Right || exact);
  }
}

// Plus ducks the music 6 dB under a run's highlights but not a jump, which it lifts 4 dB; classic neither.
TEST(Mixing, PlusDucksTheMusicUnderTheRunsHighlights) {
  using Row = std::tuple<GameEvent, int, double>;  // the sound, its volume (0: the music alone), plus's dip
  for (const auto& [event, effects, duck] : {Row{GameEvent::Eat, 0, 6.0}, Row{GameEvent::Fail, 0, 6.0},
                                             Row{GameEvent::Jump, 0, 0.0}, Row{GameEvent::Jump, 100, -4.0}}) {
    double power[2] = {};
    for (const bool plus : {false, true}) {
      Mixer mixer;
      mixer.SetMusic(&music::ScoreOf(music::PieceId::Run));
      mixer.SetEffectsVolume(effects);
      mixer.SetMusicVolume(100 - effects);
      mixer.DuckUnderRunSounds(plus);
      std::vector<int16_t> out(44100);
      mixer.Mix(out);  // the music faded in
      mixer.Play({event});
      out.resize(44100 * 14 / 100);  // as long as eating
      mixer.Mix(out);
      for (const int16_t s : out) power[plus] += static_cast<double>(s) * s;
    }
    EXPECT_NEAR(10 * std::log10(power[0] / power[1]), duck, 0.7) << EventName(event);
  }
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
