// The par table against what it was taken from: each committed replay's level, CRC and
// finishing time, and each shipped level's file as it is now. A level re-cut or a run
// recorded again without the table following fails here.
#include "shell/par_times.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "replay/level_crc.h"
#include "replay/replay_file.h"
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

// Each medal's edge, in hundredths, on a level under ten seconds and one over a minute.
TEST(ParTimes, MedalsChangeAtTheirTargets) {
  const ParTime &first = ParTimes().front(), &last = ParTimes().back();
  EXPECT_EQ(MedalTargetsText(first), "Bronze 11.4    Silver 8.9    Gold 7.3");
  EXPECT_EQ(MedalTargetsText(last), "Bronze 1:59.9    Silver 1:33.3    Gold 1:16.6");
  EXPECT_EQ(ShortOfBronzeText(1141, first), "0.01 too slow for Bronze");
  const struct {
    const ParTime& Par;
    int64_t Hundredths;
    Medal Earned;
  } cases[] = {
      {first, 730, Medal::Gold},   {first, 731, Medal::Silver},  {first, 890, Medal::Silver},
      {first, 891, Medal::Bronze}, {first, 1140, Medal::Bronze}, {first, 1141, Medal::None},
      {last, 7660, Medal::Gold},   {last, 7661, Medal::Silver},  {last, 9330, Medal::Silver},
      {last, 9331, Medal::Bronze}, {last, 11990, Medal::Bronze}, {last, 11991, Medal::None},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MedalFor(c.Hundredths, c.Par), c.Earned) << c.Par.LevelFile << " " << c.Hundredths;
}

}  // namespace
}  // namespace tobu
