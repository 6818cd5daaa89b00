// The live game and the ghost run the same run step: on every committed replay they
// must agree tick for tick, whatever the game does around the step (drawing, keys,
// animation, the mode machine).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "replay/ghost_run.h"
#include "replay/replay_file.h"
#include "support/game_fixture.h"

namespace tobu::testing {
namespace {

namespace fs = std::filesystem;

const fs::path SourceDir = TOBU_SOURCE_DIR;

class GhostAgreement : public GameFixture, public ::testing::WithParamInterface<std::string> {};

// Where the two runs stand after a tick; "" when they agree.
std::string Disagreement(const Game& form, const GhostRun& ghost) {
  const World& live = form.Level;
  const World& other = ghost.Level;
  if (live.RunnerX != other.RunnerX || live.RunnerY != other.RunnerY) return "runner position";
  if (form.Runner.VelX != ghost.Runner.VelX || form.Runner.VelY != ghost.Runner.VelY) return "speed";
  if (form.Runner.Facing != ghost.Runner.Facing || form.Runner.RunFrame != ghost.Runner.RunFrame)
    return "picture";
  if (live.CameraX != other.CameraX || live.CameraY != other.CameraY) return "camera";
  if (live.ObjectList != other.ObjectList) return "objects";
  if (ClockTimeText(form.Clock) != ClockTimeText(ghost.Clock)) return "clock";
  if ((form.Mode == GameMode::game) != ghost.Running) return "whether the run goes on";
  return {};
}

TEST_P(GhostAgreement, OnEveryTickOfTheCommittedReplay) {
  fs::copy(SourceDir / "Levels", "Levels",
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  form.Start();
  const fs::path file = SourceDir / "tests" / "replays" / (GetParam() + ".tbr");
  form.WatchReplay(file.string());
  GhostRun ghost;
  ghost.Start(form.Level, ReadReplay(file.string()));
  uint32_t ticks = 0;
  while (form.WatchedRunGoesOn()) {
    form.Tick(1);
    ghost.Step();
    ++ticks;
    const std::string what = Disagreement(form, ghost);
    ASSERT_EQ(what, "") << "tick " << ticks;
  }
  EXPECT_GT(ticks, 100u);
}

INSTANTIATE_TEST_SUITE_P(CommittedReplays, GhostAgreement,
                         ::testing::ValuesIn(Stems(SourceDir / "tests" / "replays", ".tbr")),
                         [](const auto& param) { return "L" + param.param.substr(0, 2); });

}  // namespace
}  // namespace tobu::testing
