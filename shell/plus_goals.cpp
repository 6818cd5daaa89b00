// tobu plus's goals beyond a finish: medals on each shipped level, the record run beyond
// gold, and a card once the game's last level is done. Both read the player's
// places in the levels' best times, so they need no file of their own.
#include <string>
#include <vector>

#include "present/bitmap_text.h"
#include "present/plus_palette.h"
#include "shell/game.h"
#include "sim/clock.h"

namespace tobu {
namespace {

// The player's best times over the shipped levels of the list, each level counted once.
struct ShippedTally {
  int32_t Finished = 0;
  int32_t Medals[4] = {};  // by Medal
  int64_t Hundredths = 0;
};

ShippedTally TallyShipped(const std::vector<LevelRow>& rows) {
  std::vector<bool> counted(ParTimes().size(), false);
  ShippedTally tally;
  for (const LevelRow& row : rows) {
    const ParTime* par = row.LevelCrc ? FindParTime(*row.LevelCrc) : nullptr;
    if (par == nullptr || !row.Finished) continue;
    const auto index = static_cast<size_t>(par - ParTimes().data());
    if (counted[index]) continue;
    counted[index] = true;
    ++tally.Finished;
    ++tally.Medals[static_cast<size_t>(MedalFor(StoredHundredths(row.PlayerBest), *par))];
    tally.Hundredths += StoredHundredths(row.PlayerBest);
  }
  return tally;
}

EndingCard EndingCardOf(const ShippedTally& tally) {
  const std::string levels = std::to_string(ParTimes().size());
  const std::string total = "Your times add up to " + StopwatchText(tally.Hundredths);
  const auto count = [&](Medal medal) { return std::to_string(tally.Medals[static_cast<size_t>(medal)]); };
  const std::string medals =
      count(Medal::Gold) + " gold, " + count(Medal::Silver) + " silver, " + count(Medal::Bronze) + " bronze";
  if (tally.Finished == static_cast<int32_t>(ParTimes().size()))
    return {"Every level finished!", {total, medals}, 0};
  return {"Level " + levels + " finished!",
          {std::to_string(tally.Finished) + " of " + levels + " levels finished", total, medals},
          0};
}

}  // namespace

// The medal follows the player's best time on the level, not the run just made.
Medal Game::RunMedal() const {
  const LevelRow mine = PlayerRow(Best, Players.PlayerName);
  if (RunPar == nullptr || !mine.Finished) return Medal::None;
  return MedalFor(StoredHundredths(mine.PlayerBest), *RunPar);
}

// The medal held, its star after it, centred at y; under it the next goal: the next medal
// and its time, after gold the record run's, or with none yet or the record run matched,
// the three targets, after a finish with how far it missed bronze.
void Game::DrawMedalLines(int32_t y) {
  if (RunPar == nullptr) return;
  const Medal held = RunMedal();
  // Before any medal, no line in the large font: one would read as a medal won.
  if (held == Medal::None) {
    DrawCanvasTextCentred(display_, y + 10, "Medals:    " + MedalTargetsText(*RunPar), palette::LabelGrey);
    if (Outcome.RunFailed) return;
    DrawCanvasTextCentred(display_, y + 26, ShortOfBronzeText(ClockHundredths(Clock), *RunPar),
                          palette::LabelGrey);
    return;
  }
  ShowStringWithStar(display_, y, MedalName(held) + std::string("!"), held);
  const int64_t best = StoredHundredths(PlayerRow(Best, Players.PlayerName).PlayerBest);
  const int64_t record = StoredHundredths(RunPar->Time);
  std::string hint = MedalTargetsText(*RunPar);
  if (held != Medal::Gold) {
    const auto next = static_cast<Medal>(static_cast<uint8_t>(held) + 1);
    hint = std::string("Next: ") + MedalName(next) + " at " + MedalTargetText(next, *RunPar);
  } else if (best > record) {
    hint = "Next: the record run, " + StopwatchText(record);
  }
  DrawCanvasTextCentred(display_, y + 28, hint, palette::LabelGrey);
}

// After a finish in plus: the ending card when the game's last level was finished for
// the first time this session, or when this finish completed every shipped level.
void Game::OfferEnding(bool finishedBefore) {
  if (RunPar == nullptr) return;
  const bool lastLevel = RunPar == &ParTimes().back() && !LastLevelCelebrated;
  if (!lastLevel && finishedBefore) return;  // nothing newly completed: no need to read the levels
  LevelRows = ReadLevelRows(LevelFiles, Players.PlayerName);
  const ShippedTally tally = TallyShipped(LevelRows);
  const bool completed = !finishedBefore && tally.Finished == static_cast<int32_t>(ParTimes().size());
  if (!lastLevel && !completed) return;
  if (RunPar == &ParTimes().back()) LastLevelCelebrated = true;
  Ending = EndingCardOf(tally);
}

// The card ages once the finish's moment is over; any other screen, or plus off, ends it.
void Game::StepEnding() {
  if (!Ending) return;
  if (!Plus || Mode != GameMode::GameMenu) return Ending.reset();
  if (!PlusView.InMoment()) ++Ending->Age;
}

// A key newly pressed closes the card and does nothing else.
bool Game::EndingTakesKey(uint16_t key) {
  if (!Plus || !Ending || Mode != GameMode::GameMenu || PlusView.InMoment()) return false;
  const bool repeat = key < KeyHeld.size() && KeyHeld[key];
  if (!repeat) Ending.reset();
  dropCharacter_ = true;
  return true;
}

}  // namespace tobu
