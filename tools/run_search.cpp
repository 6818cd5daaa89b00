// tobu-run-search: finds a finishing run of a shipped level and writes it as a tobu-script
// input script. It plays the real game (Game) headless on a display that draws nothing,
// and runs a beam search over held-key sequences: every few ticks each candidate run
// holds one of six key sets, and the runs closest to the next food (then the exit) along
// the level's free cells survive.
//
//   tobu-run-search LEVELS_DIR ROW OUT.script [BEAM] [STEP] [MAX_TICKS]
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <map>
#include <queue>
#include <string>
#include <vector>

#include "present/software_display.h"
#include "shell/game.h"
#include "world/numeric.h"

namespace tobu {
namespace {

// Everything the game's tick touches during a run; restored before each trial.
struct Snapshot {
  GameMode Mode = GameMode::game;
  KeyTable KeyHeld{};
  int32_t MenuCursor = 0;
  Animation Anim;
  std::vector<LevelObject> Objects;
  double RunnerX = 0.0;
  double RunnerY = 0.0;
  int32_t CameraX = 0;
  int32_t CameraY = 0;
  RunnerMotion Runner;
  RunClock Clock;
  RunOutcome Outcome;
  int32_t SkyX = 0;
};

Snapshot Take(const Game& form) {
  return {
      form.Mode,          form.KeyHeld,       form.MenuCursor,    form.Anim,          form.Level.ObjectList,
      form.Level.RunnerX, form.Level.RunnerY, form.Level.CameraX, form.Level.CameraY, form.Runner,
      form.Clock,         form.Outcome,       form.SkyX};
}

void Restore(Game& form, const Snapshot& snapshot) {
  form.Mode = snapshot.Mode;
  form.KeyHeld = snapshot.KeyHeld;
  form.MenuCursor = snapshot.MenuCursor;
  form.Anim = snapshot.Anim;
  form.Level.ReplaceObjects(snapshot.Objects);
  form.Level.RunnerX = snapshot.RunnerX;
  form.Level.RunnerY = snapshot.RunnerY;
  form.Level.CameraX = snapshot.CameraX;
  form.Level.CameraY = snapshot.CameraY;
  form.Runner = snapshot.Runner;
  form.Clock = snapshot.Clock;
  form.Outcome = snapshot.Outcome;
  form.SkyX = snapshot.SkyX;
}

// A display that is always ready and draws nothing, so a tick costs only the game's logic.
class SilentDisplay : public Display {
 public:
  bool SurfaceReady() override { return true; }
  void ClearSurface(uint16_t) override {}
  void DrawFrame(int, int, int, int) override {}
  int FrameCount(int sheet) const override { return sheets_.FrameCount(sheet); }
  void PresentFrame() override {}
  void DrawCanvasText(int, int, const std::string&) override {}
  void ShowPointer(bool) override {}

 private:
  SoftwareDisplay sheets_;  // only for the frame counts the animation wraps at
};

// The held keys of one step: a bit each for Left, Right and Space.
constexpr int HoldLeft = 1, HoldRight = 2, HoldSpace = 4;
constexpr int Actions[] = {0, HoldLeft, HoldRight, HoldSpace, HoldLeft | HoldSpace, HoldRight | HoldSpace};

void Hold(Game& form, int from, int to) {
  const std::pair<int, uint16_t> keys[] = {{HoldLeft, VkLeft}, {HoldRight, VkRight}, {HoldSpace, VkSpace}};
  for (const auto& [bit, key] : keys) {
    if ((from & bit) && !(to & bit)) form.KeyUp(key);
    if (!(from & bit) && (to & bit)) form.KeyDown(key);
  }
}

void Press(Game& form, uint16_t key, int character) {
  form.KeyDown(key);
  if (character >= 0) form.KeyPress(static_cast<uint8_t>(character));
  form.KeyUp(key);
}

// Cells the body can pass, costed so that climbing is dearer than falling. The way up
// leads only through cells at most three rows above a floor, as high as a jump reaches.
class DistanceField {
 public:
  DistanceField(const World& world, double targetX, double targetY) : cost_(GridSize * GridSize, Far) {
    const std::vector<int> height = HeightAboveFloor(world);
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    // The runner touches an object with its body, up to two rows above its feet, so the
    // free cells just below the target count as reaching it: food at the top of a jump
    // is then as near as the floor beneath it.
    const int targetColumn = static_cast<int>(targetX) / CellWidth,
              targetRow = static_cast<int>(targetY) / CellHeight;
    for (int below = 0; below <= 2 && CellInGrid(targetColumn, targetRow + below); ++below) {
      if (below > 0 && world.Cell(targetColumn, targetRow + below) != TileEmpty) break;
      const int seed = Index(targetColumn, targetRow + below);
      cost_[seed] = 0.0;
      open.push({0.0, seed});
    }
    while (!open.empty()) {
      const auto [cost, cell] = open.top();
      open.pop();
      if (cost > cost_[cell]) continue;
      const int column = cell / GridSize, row = cell % GridSize;
      // u is a neighbour that can step into this cell; the step's price depends on direction.
      const int steps[4][3] = {{-1, 0, 10}, {1, 0, 10}, {0, -1, 6}, {0, 1, 15}};  // u above: falls cheap
      for (const auto& step : steps) {
        const int uc = column + step[0], ur = row + step[1];
        if (!CellInGrid(uc, ur) || world.Cell(uc, ur) != TileEmpty) continue;
        if (step[1] == 1 && height[cell] > 3) continue;  // no rising this far above a floor
        const int u = Index(uc, ur);
        if (cost + step[2] < cost_[u]) {
          cost_[u] = cost + step[2];
          open.push({cost_[u], u});
        }
      }
    }
  }
  double At(double x, double y) const {
    const int column = std::clamp(static_cast<int>(x) / CellWidth, 0, GridSize - 1);
    const int row = std::clamp(static_cast<int>(y) / CellHeight, 0, GridSize - 1);
    return cost_[Index(column, row)];
  }

 private:
  static constexpr double Far = 1e7;
  // Free cells between each cell and the solid cell below it (0: standing on it).
  static std::vector<int> HeightAboveFloor(const World& world) {
    std::vector<int> height(GridSize * GridSize, GridSize);
    for (int column = 0; column < GridSize; ++column) {
      for (int row = GridSize - 2; row >= 0; --row) {
        if (world.Cell(column, row + 1) != TileEmpty) {
          height[Index(column, row)] = 0;
        } else {
          height[Index(column, row)] = height[Index(column, row + 1)] + 1;
        }
      }
    }
    return height;
  }
  static int Index(int column, int row) { return column * GridSize + row; }
  std::vector<double> cost_;
};

struct Target {
  LevelObject Object;
  DistanceField Field;
};

struct Node {
  Snapshot State;
  int Parent = -1;  // index in the previous layer's history
  int Action = 0;
  double Score = 0.0;
};

int FoodLeft(const World& world) {
  return static_cast<int>(std::count_if(world.ObjectList.begin(), world.ObjectList.end(),
                                        [](const LevelObject& o) { return o.Kind == ObjectFood; }));
}

// Smaller is better: the food still to eat, then the way to the nearest one (or the exit).
double Score(const World& world, const std::vector<Target>& targets) {
  const int food = FoodLeft(world);
  const double x = world.RunnerX, y = world.RunnerY - 20;
  double best = std::numeric_limits<double>::max();
  for (const Target& target : targets) {
    const LevelObject& o = target.Object;
    const bool wanted = food > 0 ? o.Kind == ObjectFood : o.Kind == ObjectExit;
    const bool present =
        std::find(world.ObjectList.begin(), world.ObjectList.end(), o) != world.ObjectList.end();
    if (!wanted || !present) continue;
    const double straight = std::hypot(o.X + 20 - x, o.Y + 20 - y);
    best = std::min(best, target.Field.At(x, y) * 4.0 + straight * 0.25);
  }
  return food * 1e8 + best;
}

std::string BucketKey(const Game& form, int food) {
  const auto& runner = form.Runner;
  char key[96];
  std::snprintf(key, sizeof key, "%ld %ld %ld %ld %d", std::lround(form.Level.RunnerX / 5),
                std::lround(form.Level.RunnerY / 5), std::lround(runner.VelX * 1.5),
                std::lround(runner.VelY / 1.5), food);
  return key;
}

struct Found {
  std::vector<int> HeldPerTick;
};

Found Search(Game& form, const std::vector<Target>& targets, int beam, int step, int maxTicks) {
  std::vector<std::vector<std::pair<int, int>>> history;  // per layer: (parent, action)
  std::vector<Node> layer{Node{Take(form), -1, 0, 0.0}};
  for (int ticks = 0; ticks < maxTicks; ticks += step) {
    std::vector<std::pair<int, int>> links;
    for (const Node& node : layer) links.push_back({node.Parent, node.Action});
    history.push_back(links);
    std::map<std::string, Node> best;
    for (size_t n = 0; n < layer.size(); ++n) {
      for (const int action : Actions) {
        Restore(form, layer[n].State);
        Hold(form, layer[n].Action, action);
        for (int t = 0; t < step; ++t) {
          form.Tick(1);
          if (form.Mode == GameMode::game) continue;
          if (form.Outcome.RunFailed) break;
          // Finished: walk the history back to the first tick.
          Found found;
          std::vector<int> actions{action};  // this trial's, then each layer's back to the start
          for (int at = static_cast<int>(n), l = static_cast<int>(history.size()) - 1; l >= 0; --l) {
            actions.push_back(history[l][at].second);
            at = history[l][at].first;
          }
          actions.pop_back();  // the root's placeholder
          std::reverse(actions.begin(), actions.end());
          for (size_t a = 0; a + 1 < actions.size(); ++a)
            found.HeldPerTick.insert(found.HeldPerTick.end(), step, actions[a]);
          found.HeldPerTick.insert(found.HeldPerTick.end(), t + 1, action);
          return found;
        }
        if (form.Mode != GameMode::game) continue;
        Node child{Take(form), static_cast<int>(n), action, Score(form.Level, targets)};
        auto [at, inserted] = best.try_emplace(BucketKey(form, FoodLeft(form.Level)), child);
        if (!inserted && child.Score < at->second.Score) at->second = std::move(child);
      }
    }
    std::vector<Node> next;
    for (auto& [key, node] : best) next.push_back(std::move(node));
    std::sort(next.begin(), next.end(), [](const Node& a, const Node& b) { return a.Score < b.Score; });
    if (next.size() > static_cast<size_t>(beam)) next.resize(static_cast<size_t>(beam));
    if (next.empty()) break;
    layer = std::move(next);
    if (ticks % (step * 50) == 0) {
      std::cerr << "tick " << ticks << " best " << layer.front().Score << " at "
                << layer.front().State.RunnerX << "," << layer.front().State.RunnerY << '\n';
    }
  }
  return {};
}

// Plays held keys from the start; the ticks the run took to finish, or 0 when it did not.
size_t Replay(Game& form, const Snapshot& start, const std::vector<int>& held) {
  Restore(form, start);
  int current = 0;
  for (size_t t = 0; t < held.size(); ++t) {
    Hold(form, current, held[t]);
    current = held[t];
    form.Tick(1);
    if (form.Mode != GameMode::game) return form.Outcome.RunFailed ? 0 : t + 1;
  }
  return 0;
}

// Fewer key changes read better: each stretch of held keys is given its neighbour's keys
// whenever the run still finishes no later.
std::vector<int> Simplify(Game& form, const Snapshot& start, std::vector<int> held) {
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t i = 1; i < held.size(); ++i) {
      if (held[i] == held[i - 1]) continue;
      size_t end = i;  // one past the stretch that starts at i
      while (end < held.size() && held[end] == held[i]) ++end;
      for (const size_t neighbour : {i - 1, end}) {
        if (neighbour >= held.size()) continue;
        std::vector<int> trial = held;
        std::fill(trial.begin() + static_cast<long>(i), trial.begin() + static_cast<long>(end),
                  held[neighbour]);
        const size_t finished = Replay(form, start, trial);
        if (finished != 0 && finished <= held.size()) {
          trial.resize(finished);
          held = std::move(trial);
          changed = true;
          break;
        }
      }
    }
  }
  return held;
}

void WriteScript(const std::string& path, const std::string& level, int row, const std::vector<int>& held) {
  std::ofstream out(path);
  out << "# " << level << ": a finishing run, found by tobu-run-search.\n";
  out << "# New player, Play, the level on row " << row << " of the list, then the run.\n";
  out << "press Return\ntype Ann\npress Return\npress Return\n";
  for (int i = 0; i < row; ++i) out << "press Down\n";
  out << "press Return\n";
  int current = 0;
  for (size_t i = 0; i < held.size();) {
    size_t end = i;
    while (end < held.size() && held[end] == held[i]) ++end;
    const std::pair<int, const char*> keys[] = {
        {HoldLeft, "Left"}, {HoldRight, "Right"}, {HoldSpace, "Space"}};
    for (const auto& [bit, name] : keys) {
      if ((current & bit) && !(held[i] & bit)) out << "up " << name << '\n';
    }
    for (const auto& [bit, name] : keys) {
      if (!(current & bit) && (held[i] & bit)) out << "down " << name << '\n';
    }
    current = held[i];
    out << "tick " << (end - i) << '\n';
    i = end;
  }
  out << "state\n";
}

int Main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: tobu-run-search LEVELS_DIR ROW OUT.script [BEAM] [STEP] [MAX_TICKS]\n";
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path levels = fs::absolute(argv[1]);
  const int row = std::atoi(argv[2]);
  const fs::path script = fs::absolute(argv[3]);
  const int beam = argc > 4 ? std::atoi(argv[4]) : 1500;
  const int step = argc > 5 ? std::atoi(argv[5]) : 5;
  const int maxTicks = argc > 6 ? std::atoi(argv[6]) : 20000;

  const fs::path work = fs::temp_directory_path() / ("tobu-run-search-" + std::to_string(::getpid()));
  fs::create_directories(work);
  fs::copy(levels, work / "Levels");
  fs::current_path(work);

  SilentDisplay display;
  auto form = std::make_unique<Game>(display);
  form->Start();
  Press(*form, VkReturn, 13);
  for (const char c : std::string("ann")) form->KeyPress(static_cast<uint8_t>(c));
  Press(*form, VkReturn, 13);
  Press(*form, VkReturn, 13);
  for (int i = 0; i < row; ++i) Press(*form, VkDown, -1);
  Press(*form, VkReturn, 13);
  if (form->Mode != GameMode::game) {
    std::cerr << "the run did not start\n";
    return 1;
  }
  const std::string level = form->LevelFiles.Items.at(static_cast<size_t>(form->LevelIndex));
  std::cerr << "searching " << level << '\n';
  std::vector<Target> targets;
  for (const LevelObject& o : form->Level.ObjectList) {
    if (o.Kind == ObjectFood || o.Kind == ObjectExit)
      targets.push_back({o, DistanceField(form->Level, o.X + 20, o.Y + 20)});
  }
  const Snapshot start = Take(*form);
  Found found = Search(*form, targets, beam, step, maxTicks);
  if (!found.HeldPerTick.empty()) found.HeldPerTick = Simplify(*form, start, found.HeldPerTick);
  fs::current_path(levels.parent_path());
  fs::remove_all(work);
  if (found.HeldPerTick.empty()) {
    std::cerr << "no finishing run found\n";
    return 1;
  }
  WriteScript(script.string(), level, row, found.HeldPerTick);
  std::cerr << "finished in " << found.HeldPerTick.size() << " ticks\n";
  return 0;
}

}  // namespace
}  // namespace tobu

int main(int argc, char** argv) { return tobu::Main(argc, argv); }
