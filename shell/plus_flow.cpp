// tobu plus around the runs: "Next level" on the results menu, R restarting a level at
// once, and what is drawn over a run and held after it. The runs are the classic game's.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "present/bitmap_text.h"
#include "present/game_view.h"
#include "present/plus_hud.h"
#include "present/plus_view.h"
#include "present/scenery.h"
#include "present/sheets.h"
#include "shell/game.h"
#include "shell/menu_layout.h"
#include "shell/plus_fall.h"
#include "sim/clock.h"
#include "world/numeric.h"

namespace tobu {
namespace {

// Petals around every daisy once the level's food is all eaten, `age` ticks into opening.
void DrawOpenDaisies(Display& display, ViewCamera camera, const World& level, int32_t age) {
  if (CountFood(level) > 0) return;
  for (const LevelObject& object : level.ObjectList) {
    if (object.Kind == ObjectExit) DrawBloom(display, camera, object, age, PlusRunView::BloomTicks);
  }
}

// The finish's first line: the medal the time earns or, at the level's record run or
// better, that the run matched or beat it (the medal stays gold).
std::string FinishCheer(int64_t time, Medal medal, const ParTime* par) {
  const int64_t record = par != nullptr ? StoredHundredths(par->Time) : -1;
  if (time < record) return "Finished! Record run beaten!";
  if (time == record) return "Finished! Record run matched!";
  return medal == Medal::None ? "Finished!" : "Finished! " + std::string(MedalName(medal)) + "!";
}

}  // namespace

bool Game::RestartRun() {
  if (!Plus || WatchingReplay() || Ending || !(Mode == GameMode::game || Mode == GameMode::GameMenu))
    return false;
  if (PlayTest.Active) {
    RestartPlayTest();
  } else {
    StartRun(LevelIndex);
  }
  return true;
}

void Game::ShowRunBeforeItsFirstStep() {
  if (!Plus || Mode != GameMode::game || PlusView.Age > 0 || !display_.SurfaceReady()) return;
  // The world view draws a run as its step left it: a step that moved nothing, which the
  // next tick replaces.
  LastRun = RunStepResult{};
  LastRun.Ran = true;
  LastRun.RunnerX = Level.RunnerX;
  LastRun.RunnerY = Level.RunnerY;
  DrawFrame();
  display_.PresentFrame();
}

void Game::Ask(Question question) {
  if (question.Answers.empty()) return;
  OpenQuestion = std::move(question);
}

// The key that answers is used up: it types nothing and reaches no screen.
void Game::AnswerQuestion(uint16_t key) {
  dropCharacter_ = true;
  const std::optional<Answer> answer = AnswerForKey(*OpenQuestion, key);
  if (!answer) return;
  const std::function<void(Answer)> then = std::move(OpenQuestion->Then);
  OpenQuestion.reset();
  if (then) then(*answer);
}

// Escape on the first menus: plus asks before the game ends.
void Game::AskOrClose() {
  if (!Plus) return Close();
  Ask(YesNoQuestion("Quit tobu?", [this](Answer answer) {
    if (answer == Answer::Yes) Close();
  }));
}

// The run waits under the question (the game holds its ticks), as under "Give up?".
void Game::AskQuitRun() {
  if (OpenQuestion) return Close();
  Question question = YesNoQuestion("Quit tobu?", [this](Answer answer) {
    if (answer == Answer::Yes) Close();
  });
  question.Detail = "The run in progress will be lost.";
  Ask(std::move(question));
}

// Delete on a level: plus asks before the best times are lost.
void Game::AskOrErase(int entry) {
  if (!Plus) return EraseBestTimes(entry);
  if (entry < 0 || entry >= LevelFiles.Count()) return;
  Ask(YesNoQuestion("Erase the best times of " + LevelTitle(LevelFiles.Items[entry]) + "?",
                    [this, entry](Answer answer) {
                      if (answer == Answer::Yes) EraseBestTimes(entry);
                    }));
}

// Rows: "Next level", "Play again", "Best times", "Level list" (as Escape).
void Game::PlusGameMenuKeyDown(uint16_t key) {
  if (key == VkDown && MenuCursor < PlusResultRowCount - 1) ++MenuCursor;
  if (key == VkUp && MenuCursor > 0) --MenuCursor;
  if (key == VkReturn && MenuCursor == 0 && LevelFiles.Count() > 0) {
    // The last level goes on to the first: the list is a round.
    LevelIndex = (LevelIndex + 1) % LevelFiles.Count();
    ClampListPosition();
    StartRun(LevelIndex);
  } else if (key == VkReturn && MenuCursor == 1) {
    StartRun(LevelIndex);
  } else if (key == VkReturn && MenuCursor == 2) {
    Mode = GameMode::TopTen;  // with no times yet it says how to set one
  }
  if (key == VkEscape || (key == VkReturn && MenuCursor == 3)) {
    MenuCursor = LevelIndex - ListTop;
    Mode = GameMode::SelectLevel;
  }
}

// Plus draws its own camera, effects and HUD over the player's runs, watched records and
// the editor's play-tests.
bool Game::PlusDrawsRun() const { return Plus && Mode == GameMode::game; }

// The sky and the tiles; plus draws its scenery around them, but not in the editor,
// which shows only what the level holds.
void Game::DrawSkyAndTiles(ViewCamera camera) {
  if (!Plus || Mode == GameMode::editor) {
    DrawSky(display_, SkyX);
    return DrawTiles(display_, Level, camera);
  }
  // The land behind moves with the camera plus draws with, which may look ahead.
  DrawBackdrop(display_, SkyOffset(camera.X));
  DrawTiles(display_, Level, camera);
  const bool hudShown = PlusDrawsRun() || PlusView.InMoment();
  DrawSurfaceDetails(display_, Level, camera, hudShown ? HudTop : -1);
}

// Plus's camera holds through the moment after a run and behind a play-test's card, so
// the level stays where the run's last frame showed it.
ViewCamera Game::DrawCamera() const {
  const bool afterRun = PlusView.InMoment() || Mode == GameMode::PlayTestResult;
  if (PlusDrawsRun() || (Plus && afterRun)) return PlusView.Camera;
  return CameraOf(Level);
}

std::optional<double> Game::RunnerAcrossView() const {
  if (!Plus) return std::nullopt;
  return (Level.RunnerX - DrawCamera().X) / ViewWidth;
}

// The moment after a run ages in the results; any other screen ends it.
void Game::StepPlusView() {
  if (PlusView.QuietTicks > 0) --PlusView.QuietTicks;
  if (!PlusView.InMoment()) return;
  if (!Plus || (Mode != GameMode::GameMenu && Mode != GameMode::PlayTestResult)) {
    PlusView.Ending = PlusRunView::Moment::None;
    return;
  }
  StepPlusMoment(PlusView);
}

// The run's last picture: the runner where it stood, the objects' frames and what ended it.
void Game::HoldRunPicture() {
  PlusView.Sprite = ChooseRunnerSprite(LastRun.RunnerX, LastRun.RunnerY, Runner, KeyHeld);
  PlusView.Frames = Anim.ObjectFrame;
  PlusView.EndedBy.reset();
  if (LastRun.EndedByObject()) PlusView.EndedBy = LastRun.EndedBy;
}

// A run ended by a killer, the bounds or a daisy: its last picture is kept for a moment.
void Game::BeginPlusMoment() {
  if (!PlusDrawsRun() || WatchingReplay()) return;
  const bool finished = LastRun.End == RunEnd::Finished;
  HoldRunPicture();
  if (PlayTest.Active && finished) return;  // the play-test's card names the time at once
  PlusView.Ending = finished ? PlusRunView::Moment::Finish : PlusRunView::Moment::Death;
  PlusView.EndingAge = 0;
  PlusView.OldBest.reset();
  PlusView.Cause = RunEndingText(finished);
  if (finished && !Best.BestNames[1].empty()) PlusView.OldBest = Best.BestTime[1];
}

// A key during the moment only ends it, so that no key acts on a menu not yet shown;
// the results then ignore keys for a moment, and a held key's repeats never choose.
bool Game::PlusMomentTakesKey(uint16_t key) {
  if (!Plus || Mode != GameMode::GameMenu) return false;
  const bool repeat = key < KeyHeld.size() && KeyHeld[key];
  if (PlusView.InMoment() && !repeat) {
    PlusView.Ending = PlusRunView::Moment::None;
    PlusView.QuietTicks = PlusRunView::ResultsQuietTicks;
  } else if (!PlusView.InMoment() && !repeat && PlusView.QuietTicks == 0) {
    return false;
  }
  if (key < KeyHeld.size()) KeyHeld[key] = true;
  return true;
}

void Game::DrawPlusOverRun(ViewCamera camera) {
  const int32_t fallDepth = FallDepth(PlusView.FallTop, Level);
  if (fallDepth >= 0) DrawFallCue(display_, fallDepth, PlusView.Age);
  if (fallDepth >= 0 && FellOutOfLevel(Level)) DrawFellOutNotice(display_, !WatchingReplay());
  for (const PlusRunView::Burst& burst : PlusView.Bursts)
    DrawBurst(display_, camera, burst.X, burst.Y, burst.Age, PlusRunView::BurstTicks);
  DrawOpenDaisies(display_, camera, Level,
                  PlusView.BloomAge < 0 ? PlusRunView::BloomTicks : PlusView.BloomAge);
  if (PlusView.HintAge >= 0 && !PlusView.Shaken.empty())
    DrawLockedHint(display_, camera, PlusView.Shaken.front());
  if (PlusView.BannerShown() && !PlayTest.Active && LevelIndex >= 0 && LevelIndex < LevelFiles.Count()) {
    // The goal until a level is finished; the keys only on the list's first level, where
    // a newcomer starts (later levels would repeat them to someone already playing).
    const bool keys = !GoalLearned && LevelIndex == 0;
    DrawLevelBanner(display_, LevelTitle(LevelFiles.Items[LevelIndex]), !GoalLearned, keys, HudBottom + 4);
  }
  DrawPlusHudStrip();
}

// Over everything else, along the top of the view.
void Game::DrawPlusHudStrip() {
  PlusHud hud;
  hud.FoodLeft = CountFood(Level);
  hud.FoodTotal = PlusView.FoodTotal;
  hud.ExitFrame = Anim.ObjectFrame[ObjectExit];
  hud.Time = StopwatchText(ClockHundredths(Clock));
  // The best time the run started against, not one the finish just replaced.
  const bool ranked = PlusView.Ending == PlusRunView::Moment::Finish && PlusView.OldBest;
  if (ranked) {
    hud.Best = StopwatchText(StoredHundredths(*PlusView.OldBest));
  } else if (!Best.BestNames[1].empty() && PlusView.Ending != PlusRunView::Moment::Finish) {
    hud.Best = StopwatchText(StoredHundredths(Best.BestTime[1]));
  }
  hud.Fade = PlusView.HudFade;
  DrawPlusHud(display_, hud);
}

void Game::DrawHeldRun(ViewCamera camera) {
  DrawSkyAndTiles(camera);
  DrawWorldObjects(camera, PlusView.Frames);
  const RunnerSprite& sprite = PlusView.Sprite;
  DrawRunnerSheet(display_, camera, RunnerSheetOf(sprite), sprite.Frame, sprite.Left, sprite.Top);
}

// The run's last picture, held: the runner where it stood, the killer marked under a
// red flash, or confetti over a finish.
void Game::DrawPlusMoment() {
  ViewCamera camera = PlusView.Camera;
  if (PlusView.Ending == PlusRunView::Moment::Death) {
    const ViewCamera shake = DeathShake(PlusView.EndingAge, PlusRunView::DeathShakeTicks);
    camera = {std::clamp(camera.X + shake.X, 0, CameraMaxX), std::clamp(camera.Y + shake.Y, 0, CameraMaxY)};
  }
  DrawHeldRun(camera);
  if (PlusView.Ending == PlusRunView::Moment::Death) {
    DrawRedFlash(display_, PlusView.EndingAge);
    if (PlusView.EndedBy) DrawKillerMark(display_, camera, *PlusView.EndedBy, PlusView.EndingAge);
    return DrawPlusHudStrip();
  }
  DrawOpenDaisies(display_, camera, Level, PlusRunView::BloomTicks);
  const bool beaten = Outcome.NewBestTime && PlusView.OldBest;
  const int64_t time = ClockHundredths(Clock);
  const Medal medal = RunPar != nullptr ? MedalFor(time, *RunPar) : Medal::None;
  DrawCelebration(display_, PlusView.EndingAge, FinishCheer(time, medal, RunPar), StopwatchText(time),
                  beaten ? BestTimeDelta(*PlusView.OldBest, Best.BestTime[1]) : std::string(), medal);
  DrawPlusHudStrip();
}

}  // namespace tobu
