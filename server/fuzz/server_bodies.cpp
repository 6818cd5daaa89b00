#include "server/fuzz/server_bodies.h"

#include <algorithm>
#include <cctype>

#include "replay/replay_file.h"
#include "server/identity.h"
#include "server/level_upload.h"
#include "server/replay_check.h"
#include "world/file_error.h"

namespace tobu::server::fuzz {
namespace {

constexpr uint32_t LongestFuzzedRun = 3000;  // ticks; longer claims are only parsed

// A floor with food, a killer and an exit on it, the start above the food.
const World& SmallLevel() {
  static const World level = [] {
    World world;
    world.ClearLevel();
    for (int column = 0; column < 20; ++column) world.SetCell(column, 10, 1);
    world.AppendObject() = LevelObject{ObjectFood, 140, 240};
    world.AppendObject() = LevelObject{ObjectKiller, 600, 240};
    world.AppendObject() = LevelObject{ObjectExit, 300, 240};
    world.RunnerX = RunnerHomeX;
    world.RunnerY = RunnerHomeY;
    return world;
  }();
  return level;
}

}  // namespace

std::string CheckLevelUploadBytes(std::span<const uint8_t> data) {
  SharedLevel level;
  try {
    level = CheckLevelUpload(data);
  } catch (const FileError&) {
    return {};
  }
  if (!WellFormedLevelId(level.Id)) return "the id is not 8 hex digits";
  if (level.LevelPart.size() > data.size() ||
      !std::equal(level.LevelPart.begin(), level.LevelPart.end(), data.begin())) {
    return "the stored part is not the start of the upload";
  }
  try {
    LoadSharedLevel(level.LevelPart);
    const SharedLevel again = CheckLevelUpload(level.LevelPart);
    if (again.Id != level.Id || again.LevelPart != level.LevelPart)
      return "the stored part uploads as another level";
  } catch (const FileError&) {
    return "the stored part of an accepted level is refused";
  }
  return {};
}

std::string CheckSubmissionBytes(std::span<const uint8_t> data) {
  Replay replay;
  try {
    replay = ParseReplay("fuzz.tbr", data);
  } catch (const FileError&) {
    return {};
  }
  if (replay.TickCount > LongestFuzzedRun) return {};
  const RunProof proof = ProveRun(SmallLevel(), replay);
  const RunProof again = ProveRun(SmallLevel(), replay);
  if (proof.Proven != again.Proven || proof.Reason != again.Reason) return "the proof is not the same twice";
  if (proof.Proven == !proof.Reason.empty())
    return "a verdict without its reason, or a reason without a verdict";
  if (proof.Proven && replay.TickCount == 0) return "a run of no ticks is proven";
  return {};
}

std::string CheckIdentityText(std::span<const uint8_t> data) {
  const std::string text(data.begin(), data.end());
  if (const auto token = BearerToken(text)) {
    if (token->size() < 64 || token->size() > 256) return "a token of the wrong length";
    if (!std::all_of(token->begin(), token->end(), [](char c) {
          return std::isxdigit(static_cast<unsigned char>(c)) && !std::isupper(static_cast<unsigned char>(c));
        })) {
      return "a token that is not lower-case hex";
    }
    if (TokenHash(*token).size() != 64) return "a hash that is not SHA-256";
  }
  if (AcceptedLevelName(text) && (text.size() > 20 || text.find_first_of("./\\") != std::string::npos)) {
    return "a level name the editor would not type";
  }
  if (AcceptedPlayerName(text) && (text.empty() || text.size() > 255))
    return "a player name a replay cannot hold";
  return {};
}

}  // namespace tobu::server::fuzz
