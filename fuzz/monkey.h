#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "present/software_display.h"
#include "shell/game.h"

namespace tobu::fuzz {

// What a monkey run went through.
struct MonkeyStats {
  int64_t Events = 0;
  int64_t FileErrors = 0;                // messages the platform would have shown
  int64_t Restarts = 0;                  // the game closed and a new one was started
  std::array<int64_t, 9> TicksInMode{};  // indexed by GameMode
};

// Drives Game on the real back buffer with a seeded random stream of key, character,
// mouse and tick events, weighted by the mode so that every mode is reached, and checks
// the game's invariants after every event. The game runs in `root`/game, which must hold
// a Levels folder; nothing may appear anywhere else in `root`.
class Monkey {
 public:
  Monkey(std::filesystem::path root, uint64_t seed);

  // Runs `events` events, or until an invariant breaks: returns its description, or
  // empty. A FileError ends only its handler, as in the game.
  std::string Run(int64_t events);
  const MonkeyStats& Stats() const { return stats_; }

 private:
  void StartForm();
  void Step();
  void StepInMenu(int downWeight, int returnWeight, int escapeWeight);
  void StepInGame();
  void StepInEditor();
  void StepNoise();
  void Stroke(uint16_t key);
  void Hold(uint16_t key);
  void ReleaseOne();
  void TypeChar(uint8_t ch);
  void Mouse(int action);
  void Tick();
  template <typename Handler>
  void Call(Handler&& handler);
  std::string BrokenInvariant() const;
  std::string BrokenAfterTick() const;
  int Roll(int sides) { return std::uniform_int_distribution<int>(0, sides - 1)(random_); }

  std::filesystem::path root_;
  std::filesystem::path gameDir_;
  std::mt19937_64 random_;
  SoftwareDisplay display_;
  std::unique_ptr<Game> form_;
  MonkeyStats stats_;
  std::string broken_;
};

}  // namespace tobu::fuzz
