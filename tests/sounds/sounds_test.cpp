// The generated sound effects, measured: format, level, clicks, length, pitch; and the
// choice of sounds for one tick's events.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "assets/soundgen/loudness.h"
#include "sounds/embedded_sounds.h"
#include "sounds/sound_choice.h"
#include "support/temp_dir.h"
#include "wav_reading.h"

namespace tobu::testing {
namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<GameEvent> AllEvents() {
  std::vector<GameEvent> events;
  for (int i = 0; i < GameEventCount; ++i) events.push_back(static_cast<GameEvent>(i));
  return events;
}

MonoSound SoundOf(GameEvent event) { return ReadMonoWav(EventSound(event), std::string(EventName(event))); }

bool IsFanfare(GameEvent event) { return event == GameEvent::Best || event == GameEvent::TopTen; }

// The effects of a run, whose loudness must match.
const GameEvent Gameplay[] = {GameEvent::Jump,   GameEvent::Eat,  GameEvent::Open,   GameEvent::Locked,
                              GameEvent::Finish, GameEvent::Best, GameEvent::TopTen, GameEvent::Fail};

class EverySound : public ::testing::TestWithParam<GameEvent> {};

// Embedded under the event's own name, byte for byte the committed file.
TEST_P(EverySound, EmbeddedIsTheCommittedFile) {
  const std::span<const unsigned char> embedded = EventSound(GetParam());
  const std::vector<unsigned char> committed = ReadFile(fs::path(TOBU_SOURCE_DIR) / "assets" / "sounds" /
                                                        (std::string(EventName(GetParam())) + ".wav"));
  ASSERT_FALSE(committed.empty());
  EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), committed.begin(), committed.end()));
}

TEST_P(EverySound, PeakBelowOneDecibelUnderFullScale) {
  const MonoSound sound = SoundOf(GetParam());
  ASSERT_FALSE(sound.Samples.empty());
  EXPECT_LE(PeakDbfs(sound.Samples), -1.0);
}

// Starts and ends at silence and rises (and falls) no faster than from silence to full
// scale in 2 ms, so no sound clicks.
TEST_P(EverySound, FadesInAndOutOverAtLeastTwoMilliseconds) {
  const std::vector<int16_t>& s = SoundOf(GetParam()).Samples;
  ASSERT_GT(s.size(), 200u);
  EXPECT_EQ(s.front(), 0);
  EXPECT_EQ(s.back(), 0);
  constexpr size_t fade = 88;  // 2 ms
  for (size_t i = 0; i < fade; ++i) {
    const double bound = 32767.0 * static_cast<double>(i) / fade;
    ASSERT_LE(std::abs(s[i]), bound) << "at sample " << i;
    ASSERT_LE(std::abs(s[s.size() - 1 - i]), bound) << "at sample " << i << " from the end";
  }
}

TEST_P(EverySound, LastsAsLongAsItsKindMay) {
  const double seconds = SoundOf(GetParam()).Seconds();
  EXPECT_GE(seconds, 0.02);
  EXPECT_LE(seconds, IsFanfare(GetParam()) ? 2.5 : 1.0);
}

INSTANTIATE_TEST_SUITE_P(Sounds, EverySound, ::testing::ValuesIn(AllEvents()),
                         [](const auto& param) { return std::string(EventName(param.param)); });

std::vector<double> Scaled(const std::vector<int16_t>& samples) {
  std::vector<double> scaled;
  for (const int16_t s : samples) scaled.push_back(s / 32768.0);
  return scaled;
}

// As heard: K-weighted, the loudest 50 ms.
double LoudnessDb(GameEvent event) { return synth::LoudestWindowDb(Scaled(SoundOf(event).Samples)); }

TEST(SoundLevels, GameplayEffectsWithinSixDecibels) {
  double quietest = 0.0, loudest = -200.0;
  for (const GameEvent event : Gameplay) {
    const double loudness = LoudnessDb(event);
    quietest = std::min(quietest, loudness);
    loudest = std::max(loudest, loudness);
  }
  EXPECT_LE(loudest - quietest, 6.0);
  EXPECT_GE(quietest, -24.0);  // and heard at all
}

TEST(SoundLevels, MoveAndTypeAreSoftShortTicks) {
  double quietestGameplay = 0.0;
  for (const GameEvent event : Gameplay) quietestGameplay = std::min(quietestGameplay, LoudnessDb(event));
  for (const GameEvent tick : {GameEvent::Move, GameEvent::Type}) {
    SCOPED_TRACE(EventName(tick));
    const MonoSound sound = SoundOf(tick);
    EXPECT_LE(LoudnessDb(tick), quietestGameplay - 6.0);
    EXPECT_LE(sound.Seconds(), 0.05);
  }
}

// Levelled by loudness as a listener hears it (K-weighted, the loudest 50 ms): the rare
// events of a run over the frequent ones, a refusal as clear as a run's event, the
// ticks softest; and no 20 ms with an offset over 2% of full scale.
TEST(SoundLevels, LoudnessPlanAndNoOffset) {
  using E = GameEvent;
  const std::pair<E, double> plan[] = {
      {E::Jump, -18.5}, {E::Eat, -18.5}, {E::Open, -15},  {E::Locked, -15}, {E::Finish, -15}, {E::Best, -14},
      {E::TopTen, -14}, {E::Fail, -15},  {E::Move, -25},  {E::Choose, -18}, {E::Back, -18},   {E::Type, -25},
      {E::Erase, -25},  {E::Paint, -25}, {E::Place, -18}, {E::Remove, -18}, {E::Start, -18},  {E::Saved, -18},
      {E::Opened, -18}, {E::Error, -15}, {E::Land, -22}};
  for (const auto& [event, loudness] : plan) {
    SCOPED_TRACE(EventName(event));
    const std::vector<double> samples = Scaled(SoundOf(event).Samples);
    EXPECT_NEAR(synth::LoudestWindowDb(samples), loudness, 0.1);
    EXPECT_LE(synth::LargestOffset(samples), 0.02);
  }
}

// Every two sounds lie 6 dB apart in colour (third-octave bands), over the whole sound
// and over its first 300 ms, so that none is taken for another.
TEST(SoundColours, EveryPairSixDecibelsApart) {
  std::vector<std::vector<double>> whole, opening;
  for (const GameEvent event : AllEvents()) {
    const std::vector<double> samples = Scaled(SoundOf(event).Samples);
    whole.push_back(synth::BandLevels(samples));
    opening.push_back(synth::BandLevels(std::span(samples).first(std::min<size_t>(samples.size(), 13230))));
  }
  for (size_t i = 0; i < whole.size(); ++i) {
    for (size_t j = i + 1; j < whole.size(); ++j) {
      SCOPED_TRACE(JoinEventNames({static_cast<GameEvent>(i), static_cast<GameEvent>(j)}));
      EXPECT_GE(synth::BandDistance(whole[i], whole[j]), 6.0);
      EXPECT_GE(synth::BandDistance(opening[i], opening[j]), 6.0);
    }
  }
}

// Listened to through numbers: where a sound slides, its pitch goes the way it should,
// by at least the ratio given (the fanfares and chimes are checked in their spectrograms).
TEST(SoundPitch, SlidesGoTheirWay) {
  struct Case {
    GameEvent Event;
    double EarlyFrom, EarlyTo, LateFrom, LateTo;  // seconds
    double Ratio;                                 // late pitch / early pitch
  };
  const Case cases[] = {
      {GameEvent::Jump, 0.005, 0.04, 0.11, 0.15, 1.8},      // 260 Hz up towards 720
      {GameEvent::Eat, 0.005, 0.045, 0.06, 0.12, 1.4},      // E6 then B6
      {GameEvent::Place, 0.005, 0.025, 0.055, 0.075, 1.5},  // up an octave
      {GameEvent::Remove, 0.005, 0.025, 0.065, 0.085, 0.6},
      {GameEvent::Fail, 0.0, 0.4, 0.75, 0.95, 0.45},  // down from B4 to the floor
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(EventName(c.Event));
    const std::vector<int16_t>& s = SoundOf(c.Event).Samples;
    const auto at = [](double seconds) { return static_cast<size_t>(seconds * 44100); };
    const double early = CrossingsPerSecond(s, at(c.EarlyFrom), at(c.EarlyTo));
    const double late = CrossingsPerSecond(s, at(c.LateFrom), at(c.LateTo));
    if (c.Ratio > 1.0) {
      EXPECT_GE(late / early, c.Ratio) << early << " -> " << late;
    } else {
      EXPECT_LE(late / early, c.Ratio) << early << " -> " << late;
    }
  }
}

// The generator is deterministic: running it again gives the committed sounds (to the
// last bit of a sample, in case another libm rounds a sine differently).
TEST(SoundGenerator, ReproducesTheCommittedSounds) {
  const TempDir out;
  ASSERT_EQ(std::system(("'" TOBU_MAKE_SOUNDS_PATH "' '" + out.Path().string() + "'").c_str()), 0);
  for (const GameEvent event : AllEvents()) {
    const std::string name = std::string(EventName(event));
    SCOPED_TRACE(name);
    const std::vector<unsigned char> bytes = ReadFile(out.Path() / (name + ".wav"));
    const MonoSound fresh = ReadMonoWav(bytes, name);
    const MonoSound committed = SoundOf(event);
    ASSERT_EQ(fresh.Samples.size(), committed.Samples.size());
    for (size_t i = 0; i < fresh.Samples.size(); ++i) {
      ASSERT_LE(std::abs(fresh.Samples[i] - committed.Samples[i]), 1) << "at sample " << i;
    }
  }
}

TEST(SoundChoice, OneTicksEvents) {
  using E = GameEvent;
  struct Case {
    std::vector<E> Events, Sounds;
  };
  const Case cases[] = {
      {{}, {}},
      {{E::Eat, E::Open}, {E::Eat, E::Open}},
      {{E::Finish}, {E::Finish}},
      {{E::Finish, E::Best}, {E::Best}},  // the fanfare opens with the finish run
      {{E::Finish, E::TopTen}, {E::TopTen}},
      {{E::Jump, E::Jump, E::Paint}, {E::Jump, E::Paint}},
      {{E::Fail, E::Eat}, {E::Fail, E::Eat}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(JoinEventNames(c.Events));
    EXPECT_EQ(SoundsToPlay(c.Events), c.Sounds);
  }
}

}  // namespace
}  // namespace tobu::testing
