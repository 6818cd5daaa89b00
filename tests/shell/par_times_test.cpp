// The par table against what it was taken from: each committed replay's level, CRC and
// finishing time, and each shipped level's file as it is now. A level re-cut or a run
// recorded again without the table following fails here.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "replay/level_crc.h"
#include "replay/replay_file.h"
#include "shell/par_times.h"
#include "support/temp_dir.h"

namespace tobu {
namespace {

namespace fs = std::filesystem;

std::string Row(const std::string& file, uint32_t crc, int32_t time) {
  char text[32];
  std::snprintf(text, sizeof text, " %08X %d\n", crc, time);
  return file + text;
}

TEST(ParTimes, AreTheCommittedReplaysOnTheShippedLevels) {
  const fs::path source(TOBU_SOURCE_DIR);
  std::string fromReplays;
  for (const std::string& stem : testing::Stems(source / "tests" / "replays", ".tbr")) {
    const Replay run = ReadReplay((source / "tests" / "replays" / (stem + ".tbr")).string());
    fromReplays += Row(run.LevelFile, run.LevelCrc, run.FinishTime);
  }
  std::string table;
  for (const ParTime& par : ParTimes()) {
    table += Row(par.LevelFile, par.LevelCrc, par.Time);
    EXPECT_EQ(LevelFileCrc((source / "Levels" / par.LevelFile).string()), par.LevelCrc) << par.LevelFile;
  }
  EXPECT_EQ(table, fromReplays);
}

}  // namespace
}  // namespace tobu
