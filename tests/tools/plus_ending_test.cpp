// The plus ending through tobu-script: a player with times on every shipped level but the
// last finishes the last one; the card adds up their times and medals, a key closes it,
// and the results' first row takes them round to the first level.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell/par_times.h"
#include "sim/clock.h"
#include "support/temp_dir.h"
#include "world/file_io.h"
#include "world/level_file.h"

namespace tobu {
namespace {

namespace fs = std::filesystem;

// Ann's place 1 on every shipped level before the last: the par on odd levels (gold),
// a fifth more on even ones (silver).
void GiveTimesBeforeTheLast(const fs::path& levels) {
  const auto pars = ParTimes();
  for (size_t i = 0; i + 1 < pars.size(); ++i) {
    const std::string file = (levels / pars[i].LevelFile).string();
    const std::vector<uint8_t> bytes = ReadWholeFile(file);
    BestTimes times;
    times.BestNames[1] = "Ann";
    const int64_t time = StoredHundredths(pars[i].Time) * (i % 2 == 0 ? 5 : 6) / 5;
    times.BestTime[1] =
        static_cast<int32_t>(time / 6000 * 10000 + time % 6000);  // stored as minutes, then hundredths
    const int32_t offset = ParseLevel(bytes, file).Info.BestTimesOffset;
    ReplaceFile(file, WithBestTimes(bytes, offset, times, pars[i].LevelFile));
  }
}

TEST(PlusEnding, EveryLevelFinishedThenBackToTheFirst) {
  const testing::TempDir work;
  const fs::path source(TOBU_SOURCE_DIR);
  fs::copy(source / "Levels", work.Path() / "Levels");
  GiveTimesBeforeTheLast(work.Path() / "Levels");
  std::ifstream run(source / "levels" / "runs" / "30-last-descent.script");
  std::ofstream script(work.File("script"));
  script << "plus on\n" << run.rdbuf();  // the run ends with a state line as it finishes
  script << "tick 68\nstate\npress Return\nstate\npress Return\nstate\n";
  script.close();
  const std::string command = "cd '" + work.Path().string() + "' && '" TOBU_SCRIPT_PATH "' script > out 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const fs::path golden = source / "tests" / "scripts" / "plus_ending.expected";
  const std::string out = testing::ReadText(work.File("out"));
  if (std::getenv("TOBU_WRITE_FRAMES") != nullptr) std::ofstream(golden) << out;
  EXPECT_EQ(out, testing::ReadText(golden));
}

}  // namespace
}  // namespace tobu
