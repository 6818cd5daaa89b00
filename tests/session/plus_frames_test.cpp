// tobu plus's pictures around a run, pinned: each moment's frame is, byte for byte, the
// PNG the README shows from docs/. TOBU_WRITE_FRAMES=1 writes them afresh after a
// deliberate change of look (and the README's pictures change with them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../support/temp_dir.h"
#include "screenshot/png_file.h"
#include "tools/script_runner.h"
#include "world/file_io.h"

namespace tobu::testing {
namespace {

namespace fs = std::filesystem;
const fs::path SourceDir = TOBU_SOURCE_DIR;

// A player's recorded run (a file in levels/runs/) or script lines, cut after `Ticks` ticks.
struct PinnedFrame {
  const char* Picture;
  std::string Script;
  int64_t Ticks;
};

constexpr int64_t DeathTick = 192;  // of the keys below: the runner lands on a killer

const PinnedFrame Frames[] = {
    // The cave look, the level's title and goal, the HUD with no food eaten.
    {"plus-start.png",
     "press Return\ntype Ann\npress Return\npress Return\npress Down\npress Down\npress Down\npress Down\n"
     "press Down\npress Down\npress Down\npress Down\npress Return\n",
     30},
    // The last food of a dusk level eaten: the daisy blooms, the HUD shows it open.
    {"plus-bloom.png", "16-guarded-roads.script", 1080},
    // Fallen onto a killer: the frame held, the killer marked, the red flash fading.
    {"plus-death.png",
     "press Return\ntype Bob\npress Return\npress Return\npress Down\npress Down\npress Down\n"
     "press Return\ndown Right\ntick 50\ndown Space\ntick 5\nup Space\n",
     DeathTick + 12},
    // A finish: confetti over the held frame, then (after the moment) the results.
    {"plus-finish.png", "02-ledge-food.script", 760 + 30},
    // The editor's play-test caught by a killer: its card over the run's last picture, killer marked.
    {"plus-editor-playtest.png",
     "press Return\ntype Ann\npress Return\npress Down\npress Return\nup O\n"
     "type 04-killer-field\npress Return\npress F5\ndown Right\ndown Space\n",
     240},
    // Escape before the run's first tick: "Give up?" over the run's first picture.
    {"plus-give-up.png",
     "press Return\ntype Ann\npress Return\npress Down\npress Return\nup O\n"
     "type 09-killer-pits\npress Return\npress F5\npress Escape\n",
     1},
};

// tobu-script's runner with plus on, in a fresh folder holding the shipped levels.
struct PlusScript {
  PlusScript() : dir(true), form(display), runner(form, display, out) {
    fs::copy(SourceDir / "Levels", "Levels");
    runner.Start();
    runner.RunLine("plus on");
  }
  // The frame's script lines up to its tick count.
  void Play(const PinnedFrame& frame) {
    std::stringstream script;
    if (frame.Script.ends_with(".script")) {
      script << std::ifstream(SourceDir / "levels" / "runs" / frame.Script).rdbuf();
    } else {
      script << frame.Script;
    }
    int64_t left = frame.Ticks;
    for (std::string line; std::getline(script, line) && left > 0;) {
      const ScriptCommand command = ParseScriptLine(line);
      if (command.What == ScriptCommand::Kind::Tick) {
        line = "tick " + std::to_string(std::min(command.Count, left));
        left -= command.Count;
      }
      if (command.What != ScriptCommand::Kind::State) runner.RunLine(line);
    }
    if (left > 0) runner.RunLine("tick " + std::to_string(left));
  }

  TempDir dir;
  SoftwareDisplay display;
  Game form;
  std::ostringstream out;
  ScriptRunner runner;
};

class PlusFrame : public ::testing::TestWithParam<PinnedFrame> {};

TEST_P(PlusFrame, IsThePictureInDocs) {
  const fs::path picture = SourceDir / "docs" / GetParam().Picture;
  PlusScript script;
  script.Play(GetParam());
  const std::vector<uint8_t> png = EncodePng(script.display.Presented());
  if (std::getenv("TOBU_WRITE_FRAMES") != nullptr)
    std::ofstream(picture, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  EXPECT_TRUE(png == ReadWholeFile(picture.string())) << picture;
}

INSTANTIATE_TEST_SUITE_P(Docs, PlusFrame, ::testing::ValuesIn(Frames),
                         [](const ::testing::TestParamInfo<PinnedFrame>& param) {
                           std::string name = fs::path(param.param.Picture).stem().string();
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// The death's moment takes the first key and only ends; the results ("Play again" under
// the pointer after a failure) ignore keys for a moment after that, and a held key's
// repeats never choose.
TEST(PlusMoment, AKeyEndsItWithoutActingOnTheResults) {
  constexpr int64_t Quiet = PlusRunView::ResultsQuietTicks;
  const struct {
    const char* Name;
    int64_t Ticks;       // after the run's end
    const char* First;   // then
    int64_t Wait;        // ticks before the second Return
    const char* Second;  // "press Return", or "down Return" (a repeat when Return is held)
    GameMode Mode;       // afterwards
  } cases[] = {
      {"a key at the end", 0, "press Return", Quiet, "press Return", GameMode::game},
      {"a key mid-moment", 20, "press Return", Quiet, "press Return", GameMode::game},
      {"over by itself", PlusRunView::DeathTicks, "", 0, "press Return", GameMode::game},
      {"mashed", 20, "press Return", Quiet - 1, "press Return", GameMode::GameMenu},
      {"held", 20, "down Return", Quiet, "down Return", GameMode::GameMenu},
  };
  for (const auto& c : cases) {
    PlusScript script;
    script.Play({"", Frames[2].Script, DeathTick + c.Ticks});
    ASSERT_EQ(script.form.Mode, GameMode::GameMenu) << c.Name;
    script.runner.RunLine(c.First);
    EXPECT_EQ(script.form.Mode, GameMode::GameMenu) << c.Name;
    EXPECT_FALSE(script.form.PlusView.InMoment()) << c.Name;
    script.runner.RunLine("tick " + std::to_string(c.Wait));
    script.runner.RunLine(c.Second);
    EXPECT_EQ(script.form.Mode, c.Mode) << c.Name;
  }
}

}  // namespace
}  // namespace tobu::testing
