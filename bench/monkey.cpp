// The monkey test at length: a million seeded random events through every mode of the
// game, with the invariants checked after each (fuzz/monkey.cpp).
//   tobu_monkey [events, default 1000000] [seed, default 1]
#include "fuzz/monkey.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/sample_levels.h"

int main(int argc, char** argv) {
  const int64_t events = argc > 1 ? std::atoll(argv[1]) : 1000000;
  const uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() /
                        ("tobu-monkey-" + std::to_string(seed) + "-" +
                         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(root / "game" / "Levels");
  tobu::fuzz::WriteMonkeyLevels(root / "game" / "Levels");
  const fs::path start = fs::current_path();
  const auto began = std::chrono::steady_clock::now();
  tobu::fuzz::Monkey monkey(root, seed);
  const std::string broken = monkey.Run(events);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  fs::current_path(start);
  fs::remove_all(root);
  const tobu::fuzz::MonkeyStats& stats = monkey.Stats();
  std::printf("events %lld in %.1f s (%.0f per second), file errors shown %lld, restarts %lld\n",
              static_cast<long long>(stats.Events), seconds, static_cast<double>(stats.Events) / seconds,
              static_cast<long long>(stats.FileErrors), static_cast<long long>(stats.Restarts));
  const char* names[] = {"SelectPlayer", "CreateNewPlayer", "MainMenu", "SelectLevel",
                         "game",         "GameMenu",        "TopTen",   "editor"};
  for (size_t mode = 0; mode < stats.TicksInMode.size(); ++mode) {
    std::printf("  ticks in %-16s %lld\n", names[mode], static_cast<long long>(stats.TicksInMode[mode]));
  }
  if (!broken.empty()) {
    std::printf("BROKEN: %s\n", broken.c_str());
    return 1;
  }
  return 0;
}
