#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "present/game_view.h"
#include "present/plus_hud.h"
#include "shell/plus_dust.h"
#include "sim/exit_contacts.h"
#include "sim/run_step.h"
#include "sim/runner.h"
#include "world/world.h"

namespace tobu {

// The cause of a run ended by the player (Escape), as plus's results and play-test say it.
inline constexpr const char* GivenUpCause = "Given up";

// What tobu plus draws around a run, kept by the shell from each tick's run step: the
// banner, the bursts, the daisies' bloom and shake, its own camera and the moment after
// the run. Nothing in a run reads it, so the runs stay the classic game's.
struct PlusRunView {
  // Lengths in ticks (85 a second).
  static constexpr int32_t BannerTicks = 127;  // 1.5 s
  static constexpr int32_t BurstTicks = 24;
  static constexpr int32_t BloomTicks = 60;
  static constexpr int32_t ShakeTicks = 14;
  static constexpr int32_t HintTicks = 102;         // 1.2 s: why a touched daisy stays shut
  static constexpr int32_t DeathTicks = 51;         // 0.6 s
  static constexpr int32_t FinishTicks = 68;        // 0.8 s
  static constexpr int32_t ResultsQuietTicks = 34;  // 0.4 s
  static constexpr int32_t DeathShakeTicks = 14;

  struct Burst {
    int32_t X = 0, Y = 0;  // the eaten food's centre in the world
    int32_t Age = 0;
  };
  enum class Moment : uint8_t { None, Death, Finish };

  int32_t Age = 0;  // ticks of the run
  bool BannerDismissed = false;
  int32_t FoodTotal = 0;
  std::vector<Burst> Bursts;
  int32_t BloomAge = -1;  // ticks since the last food went; -1 while food is left
  int32_t ShakeAge = -1;
  int32_t HintAge = -1;             // ticks since a locked daisy was last touched, while its hint shows
  int32_t FallTop = -1;             // where a fall over nothing began (shell/plus_fall.h)
  std::vector<LevelObject> Shaken;  // the locked daisies touched last
  ViewCamera Camera;
  int32_t FeetRow = 0;      // the view's row the camera keeps the feet on, as of the last floor
  int32_t Lead = 0;         // how far the camera looks ahead of the runner, in quarter pixels
  int32_t LeadRunnerX = 0;  // the runner's x when the look-ahead last moved
  int32_t FallLead = 0;     // how far the camera looks below a falling runner, in pixels
  int32_t FloorFeetY = 0;   // the feet's y on the last floor
  RunnerFeet Feet;
  std::array<int32_t, HudPanelCount> HudFade{};  // each HUD panel's fade (present/plus_hud.h)

  // The moment between the run's end and the results.
  Moment Ending = Moment::None;
  int32_t EndingAge = 0;
  RunnerSprite Sprite;
  int32_t RunnerSheet = 0;
  ObjectFrames Frames;
  std::optional<LevelObject> EndedBy;  // the killer or the daisy
  std::optional<int32_t> OldBest;      // the best time before a finished run was ranked
  std::string Cause = GivenUpCause;    // how the run ended, for the results
  // Ticks the results still ignore keys after a key ended the moment, so that a key
  // mashed to skip it chooses no row the player has not seen.
  int32_t QuietTicks = 0;

  bool BannerShown() const { return !BannerDismissed && Age < BannerTicks; }
  bool InMoment() const { return Ending != Moment::None; }
};

// The sheet of a runner picture: standing or running, facing left or right.
int RunnerSheetOf(const RunnerSprite& sprite);

// A run begins: its food counted, the camera where the world's is.
void BeginPlusRun(PlusRunView& view, const World& level);
// One tick of the run as its step reported it: the effects age and new ones start;
// what the feet did, for the landing's sound.
FeetStep StepPlusRun(PlusRunView& view, const RunStepResult& step, const World& level,
                     const RunnerMotion& runner, const ExitContacts& touching);
// The view's row for the runner's feet: a little below the middle, lower still when the
// rows the view would show under its floor are solid, so the room goes above; in a tunnel
// through the rock, so that the tunnel shows in the middle.
int32_t FramedFeetRow(const World& level);
// The drawing camera one tick on: the world's horizontally; vertically it keeps still
// while the runner stays within a dead zone in the air, looks `fallLead` pixels further
// down in a fall, eases on a floor until the feet stand on `feetRow` of the view, and
// never lets the runner leave the middle band of it.
ViewCamera FollowRunner(ViewCamera current, const World& level, bool onFloor, int32_t feetRow,
                        int32_t fallLead = 0);
// The look below a falling runner one tick on: while the feet are under the last floor it
// grows with the fall's speed, up to FallLeadMost pixels, so the ground to land on shows
// long before the runner reaches it; over it, it goes back to none. Either way by at most
// FallLeadSwing pixels a tick.
int32_t FallLookAhead(int32_t lead, double fallSpeed, bool underFloor);
constexpr int32_t FallLeadMost = 160;
constexpr int32_t FallLeadSwing = 4;
// The look-ahead one tick on, after the runner moved `movedX` pixels: it swings toward
// the way the runner goes by at most three quarters of the distance, up to LookAheadMost
// pixels, so the view keeps moving with the runner, never against it, and stops when the
// runner stops.
int32_t LookAhead(int32_t lead, int32_t movedX);
constexpr int32_t LookAheadMost = 88;
// The drawing camera's x: the world's, shifted by the look-ahead, kept inside the world.
int32_t LookAheadCameraX(const World& level, int32_t lead);
// Whether the runner shows under `panel` of the view.
bool PassesUnder(const World& level, ViewCamera camera, const HudRect& panel);
// Each HUD panel one step toward faded while the runner passes under it, or back toward
// solid; at a run's first tick straight to where it belongs.
void FadeHud(PlusRunView& view, const World& level);
// The moment after a run: ends by itself after its length; false once over.
bool StepPlusMoment(PlusRunView& view);
// By how much a new best time beat the old one, in seconds: "-0.42"; times as stored
// (01:05:23 is 10523).
std::string BestTimeDelta(int32_t oldTime, int32_t newTime);
// Food left in the level.
int32_t CountFood(const World& level);

}  // namespace tobu
