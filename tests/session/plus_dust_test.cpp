// tobu plus's dust over players' recorded runs: each puff begins on the very tick the feet
// leave or meet the floor or turn round, and a hard landing's thud with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../support/temp_dir.h"
#include "tools/script_runner.h"

namespace tobu::testing {
namespace {

namespace fs = std::filesystem;
const fs::path SourceDir = TOBU_SOURCE_DIR;

// The tick's events and the puffs it began: "199 land landing*16". Running dust, raised
// all along, is left out.
std::string TickLine(int64_t tick, Game& form) {
  constexpr const char* Kinds[] = {"takeoff", "landing", "running", "turning"};
  std::string line;
  for (const GameEvent event : form.Events.Drain()) {
    if (event == GameEvent::Jump || event == GameEvent::Land) line += " " + std::string(EventName(event));
  }
  const std::vector<DustMote>& motes = form.PlusView.Feet.Motes;
  const auto begun = [](const DustMote& m) { return m.Age == 0 && m.Kind != DustKind::Running; };
  const auto first = std::find_if(motes.begin(), motes.end(), begun);
  if (first != motes.end()) {
    line += std::string(" ") + Kinds[static_cast<size_t>(first->Kind)] + "*" +
            std::to_string(std::count_if(motes.begin(), motes.end(), begun));
  }
  return line.empty() ? "" : std::to_string(tick) + line + "\n";
}

// The run's script with plus on, one tick at a time, up to `ticks`.
std::string DustLog(const std::string& run, int64_t ticks) {
  const TempDir dir(true);
  fs::copy(SourceDir / "Levels", "Levels");
  SoftwareDisplay display;
  Game form(display);
  std::ostringstream out;
  ScriptRunner runner(form, display, out);
  runner.Start();
  runner.RunLine("plus on");
  std::ifstream script(SourceDir / "levels" / "runs" / run);
  std::string log;
  int64_t tick = 0;
  for (std::string line; std::getline(script, line) && tick < ticks;) {
    const ScriptCommand command = ParseScriptLine(line);
    if (command.What != ScriptCommand::Kind::Tick) {
      runner.RunLine(line);
      continue;
    }
    for (int64_t i = 0; i < command.Count && tick < ticks; ++i) {
      runner.RunLine("tick 1");
      log += TickLine(++tick, form);
    }
  }
  return log;
}

TEST(PlusDust, BeginsOnTheTicksOfTakeOffLandingAndTurning) {
  const struct {
    const char* Run;
    int64_t Ticks;
    const char* Log;
  } runs[] = {
      // Hops onto ledges (small puffs, no thud), jumps down from them (a thud, more dust
      // the further the fall), one turn at speed, and hops under a low ceiling (631-639).
      {"02-ledge-food.script", 640,
       R"(21 jump takeoff*8
73 landing*8
111 jump takeoff*8
199 land landing*16
200 jump takeoff*8
252 landing*8
253 jump takeoff*8
347 land landing*18
351 jump takeoff*8
403 landing*8
404 jump takeoff*8
456 landing*8
532 land landing*19
576 turning*5
615 land landing*13
631 jump takeoff*8
638 landing*8
639 jump takeoff*8
)"},
  };
  for (const auto& r : runs) EXPECT_EQ(DustLog(r.Run, r.Ticks), r.Log) << r.Run;
}

}  // namespace
}  // namespace tobu::testing
