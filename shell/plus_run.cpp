#include "shell/plus_run.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "present/sheets.h"
#include "shell/plus_fall.h"
#include "sim/clock.h"
#include "sim/collision.h"
#include "world/numeric.h"

namespace tobu {
namespace {

// The runner stands 300 pixels below the world camera's top; on a road along the ground
// the drawing camera stands it 380 down instead, as the 180 rows under it would show
// only rock. In a tunnel through rock (a roof at most 6 rows over the floor, as solid
// as the ground) the rock over the roof and under the floor share the view evenly. In
// the air the drawing camera waits until the runner is 110 above where it stood (a jump
// rises 88) or 20 below, and it never lets the runner's feet leave rows 180..420 of the
// view.
constexpr int32_t Anchor = 300;
constexpr int32_t GroundAnchor = 380;
constexpr int32_t RowsUnderAnchor = (ViewHeight - Anchor + CellHeight - 1) / CellHeight;
constexpr int32_t TunnelRows = 6;
constexpr int32_t RiseSlack = 110;
constexpr int32_t FallSlack = 20;
constexpr int32_t HighestFeet = 180;
constexpr int32_t LowestFeet = 420;
constexpr int32_t Easing = 6;            // a sixth of the way each tick
constexpr int32_t RunnerScreenX = 316;   // where the world's camera keeps the runner across
constexpr double FallLeadPerSpeed = 24;  // pixels of look below per pixel a tick of fall
constexpr int32_t GroundShownRow = ViewHeight - 3 * CellHeight;  // a fall looks no lower
static_assert(GroundAnchor < GroundShownRow);

constexpr int32_t TunnelFeetRow(int32_t rows) { return (ViewHeight + rows * CellHeight) / 2; }
static_assert(TunnelFeetRow(1) >= HighestFeet && TunnelFeetRow(TunnelRows) <= GroundAnchor);

// Whether the cells of column `x` from `row` down `count` rows are all solid.
bool SolidRows(const World& level, int32_t x, int32_t row, int32_t count) {
  for (int32_t r = row; r < row + count; ++r) {
    if (!level.SolidAt(x, r * CellHeight)) return false;
  }
  return true;
}

// The feet's y on the first solid cell under them in their column, or the world's foot.
int32_t GroundUnder(const World& level, int32_t x, int32_t feet) {
  // In 64 bits: a damaged level may start far outside the world.
  const int64_t below = std::clamp<int64_t>((int64_t{feet} + 1) / CellHeight, 0, GridSize);
  for (auto row = static_cast<int32_t>(below); row < GridSize; ++row) {
    if (level.SolidAt(x, row * CellHeight)) return row * CellHeight - 1;
  }
  return GridSize * CellHeight;
}

}  // namespace

int RunnerSheetOf(const RunnerSprite& sprite) {
  if (sprite.Running) return sprite.FacingRight ? SheetKippoRunR : SheetKippoRun;
  return sprite.FacingRight ? SheetKippoR : SheetKippo;
}

int32_t CountFood(const World& level) {
  return static_cast<int32_t>(std::count_if(level.ObjectList.begin(), level.ObjectList.end(),
                                            [](const LevelObject& o) { return o.Kind == ObjectFood; }));
}

void BeginPlusRun(PlusRunView& view, const World& level) {
  view = PlusRunView{};
  view.FoodTotal = CountFood(level);
  view.FeetRow = FramedFeetRow(level);
  view.Camera = {LookAheadCameraX(level, 0),
                 std::clamp(RoundPixel(level.RunnerY) - view.FeetRow, 0, CameraMaxY)};
  view.LeadRunnerX = RoundPixel(level.RunnerX);
  view.FloorFeetY = RoundPixel(level.RunnerY);
  view.Feet = FeetAtStart(level, RunnerMotion{});  // every run starts facing left
}

FeetStep StepPlusRun(PlusRunView& view, const RunStepResult& step, const World& level,
                     const RunnerMotion& runner, const ExitContacts& touching) {
  ++view.Age;
  for (PlusRunView::Burst& burst : view.Bursts) ++burst.Age;
  std::erase_if(view.Bursts, [](const PlusRunView::Burst& b) { return b.Age >= PlusRunView::BurstTicks; });
  if (view.BloomAge >= 0) ++view.BloomAge;
  if (view.ShakeAge >= 0 && ++view.ShakeAge >= PlusRunView::ShakeTicks) view.ShakeAge = -1;
  if (view.HintAge >= 0 && ++view.HintAge >= PlusRunView::HintTicks) view.HintAge = -1;
  if (step.EatenIndex >= 0) {
    view.Bursts.push_back({step.Eaten.X + 20, step.Eaten.Y + 20, 0});
    if (view.BloomAge < 0 && CountFood(level) == 0) view.BloomAge = 0;
  }
  if (step.LockedExitTouched) {
    view.ShakeAge = 0;
    view.HintAge = 0;
    view.Shaken = touching.Touching;
  }
  // A runner that left the world is home already: the picture stays where it fell.
  if (step.LeftWorld) return {};
  view.FallTop = StepFallTop(view.FallTop, level, runner);
  const int32_t x = RoundPixel(level.RunnerX);
  view.Lead = LookAhead(view.Lead, x - view.LeadRunnerX);
  view.LeadRunnerX = x;
  const bool onFloor = OnFloor(level);
  // Kept through a jump, so that the dead zone holds whatever passes under the runner.
  if (onFloor) view.FeetRow = FramedFeetRow(level), view.FloorFeetY = RoundPixel(level.RunnerY);
  // Only under the last floor: a jump's way down stays in the dead zone. On a floor the
  // camera eases back by itself.
  const bool underFloor = RoundPixel(level.RunnerY) > view.FloorFeetY;
  view.FallLead = onFloor ? 0 : FallLookAhead(view.FallLead, runner.VelY, underFloor);
  view.Camera = FollowRunner(view.Camera, level, onFloor, view.FeetRow, view.FallLead);
  view.Camera.X = LookAheadCameraX(level, view.Lead);
  return StepFeet(view.Feet, level, runner);
}

int32_t LookAhead(int32_t lead, int32_t movedX) {
  if (movedX == 0) return lead;
  const int32_t target = movedX > 0 ? 4 * LookAheadMost : -4 * LookAheadMost;
  const int32_t swing = 3 * std::abs(movedX);
  return lead + std::clamp(target - lead, -swing, swing);
}

int32_t LookAheadCameraX(const World& level, int32_t lead) {
  // In 64 bits, as the world's camera: a damaged level may start far outside the world.
  const int64_t x = int64_t{RoundPixel(level.RunnerX)} - RunnerScreenX + RoundPixel(lead / 4.0);
  return static_cast<int32_t>(std::clamp<int64_t>(x, 0, CameraMaxX));
}

int32_t FramedFeetRow(const World& level) {
  // In 64 bits: a damaged level may start far outside the world.
  const int64_t below = (int64_t{RoundPixel(level.RunnerY)} + 1) / CellHeight;
  if (below < 0 || below + RowsUnderAnchor > GridSize) return Anchor;
  const int32_t x = RoundPixel(level.RunnerX);
  const int32_t floorRow = static_cast<int32_t>(below);
  if (!SolidRows(level, x, floorRow, RowsUnderAnchor)) return Anchor;
  // The lowest solid band is the roof, so that a block hanging in the tunnel moves nothing.
  for (int32_t rows = 1; rows <= TunnelRows; ++rows) {
    const int32_t roof = floorRow - 1 - rows;
    if (SolidRows(level, x, roof - RowsUnderAnchor + 1, RowsUnderAnchor)) return TunnelFeetRow(rows);
  }
  return GroundAnchor;
}

int32_t FallLookAhead(int32_t lead, double fallSpeed, bool underFloor) {
  const int32_t target =
      underFloor ? std::clamp(RoundPixel(fallSpeed * FallLeadPerSpeed), 0, FallLeadMost) : 0;
  return lead + std::clamp(target - lead, -FallLeadSwing, FallLeadSwing);
}

ViewCamera FollowRunner(ViewCamera current, const World& level, bool onFloor, int32_t feetRow,
                        int32_t fallLead) {
  const int32_t feet = RoundPixel(level.RunnerY);
  const int32_t anchored = std::clamp(feet - feetRow, 0, CameraMaxY);
  int32_t target = anchored;
  if (!onFloor) target = std::clamp(current.Y, anchored - FallSlack, anchored + RiseSlack);
  // A fall looks lower only until the ground below shows: a short drop looks no lower than
  // a jump, and the camera stops short of where it will rest on that ground, so it never
  // swings back. With no look below (a jump) the ground need not be looked for.
  if (!onFloor && fallLead > 0) {
    const int32_t ground = GroundUnder(level, RoundPixel(level.RunnerX), feet);
    target = std::max(target, std::min(anchored - FallSlack + fallLead, ground - GroundShownRow));
  }
  int32_t y = current.Y + (target - current.Y) / Easing;
  if (y == current.Y && y != target) y += target > y ? 1 : -1;
  y = std::clamp(y, feet - LowestFeet, feet - HighestFeet);
  return {level.CameraX, std::clamp(y, 0, CameraMaxY)};
}

// Only the runner fades a panel: a food or a killer shows dimmed through the backing,
// so the labels and values over it always read.
bool PassesUnder(const World& level, ViewCamera camera, const HudRect& panel) {
  // The running pictures are 46 wide round the runner's x; the feet are at its y.
  const int32_t x = RoundPixel(level.RunnerX) - 23 - camera.X, y = RoundPixel(level.RunnerY) - 61 - camera.Y;
  return x < panel.X + panel.Width && x + 46 > panel.X && y < panel.Y + panel.Height && y + 64 > panel.Y;
}

void FadeHud(PlusRunView& view, const World& level) {
  for (size_t i = 0; i < HudPanels.size(); ++i) {
    const bool under = PassesUnder(level, view.Camera, HudPanels[i]);
    int32_t& fade = view.HudFade[i];
    if (view.Age == 0) {
      fade = under ? HudFadeTicks : 0;
    } else {
      fade = std::clamp(fade + (under ? 1 : -1), 0, HudFadeTicks);
    }
  }
}

bool StepPlusMoment(PlusRunView& view) {
  if (!view.InMoment()) return false;
  const int32_t length =
      view.Ending == PlusRunView::Moment::Death ? PlusRunView::DeathTicks : PlusRunView::FinishTicks;
  if (++view.EndingAge >= length) view.Ending = PlusRunView::Moment::None;
  return view.InMoment();
}

std::string BestTimeDelta(int32_t oldTime, int32_t newTime) {
  const int64_t gain = StoredHundredths(oldTime) - StoredHundredths(newTime);
  return (gain >= 0 ? "-" : "+") + StopwatchText(gain);
}

}  // namespace tobu
