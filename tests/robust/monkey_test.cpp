// A long seeded stream of random input through every mode, with the game's invariants
// checked after every event (fuzz/monkey.cpp); bench/monkey.cpp runs a million.
#include "fuzz/monkey.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/sample_levels.h"
#include "support/temp_dir.h"

namespace tobu::testing {
namespace {

const char* const ModeNames[] = {"SelectPlayer", "CreateNewPlayer", "MainMenu", "SelectLevel",
                                 "game",         "GameMenu",        "TopTen",   "editor",     "PlayTestResult"};

class MonkeyRun : public ::testing::TestWithParam<uint64_t> {
 protected:
  MonkeyRun() : start(std::filesystem::current_path()) {
    std::filesystem::create_directories(root.Path() / "game" / "Levels");
    fuzz::WriteMonkeyLevels(root.Path() / "game" / "Levels");
  }
  ~MonkeyRun() override { std::filesystem::current_path(start); }

  std::filesystem::path start;  // the monkey moves the working directory like the game
  TempDir root;
};

TEST_P(MonkeyRun, TwentyThousandEventsKeepEveryRule) {
  fuzz::Monkey monkey(root.Path(), GetParam());
  EXPECT_EQ(monkey.Run(20000), "");
  const fuzz::MonkeyStats& stats = monkey.Stats();
  EXPECT_GE(stats.Events, 20000);
  for (size_t mode = 0; mode < std::size(ModeNames); ++mode) {
    EXPECT_GT(stats.TicksInMode[mode], 0) << "the monkey never reached " << ModeNames[mode];
  }
  std::cout << "events " << stats.Events << ", file errors " << stats.FileErrors << ", restarts "
            << stats.Restarts << "\n";
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyRun, ::testing::Values(20240611u),
                         [](const auto& param) {
                           return "Seed" + std::to_string(param.param);
                         });

}  // namespace
}  // namespace tobu::testing
