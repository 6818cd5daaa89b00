// The question card's keys, and the plus list's reading of the player's times.
#include "shell/question.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "shell/level_rows.h"
#include "sim/keys.h"
#include "support/recording_display.h"

namespace tobu {
namespace {

struct KeysCase {
  const char* Name;
  bool WithCancel;
  std::vector<uint16_t> Keys;  // the last one answers, or none does
  std::optional<Answer> Expected;
};

const KeysCase Cases[] = {
    {"YesNoY", false, {'Y'}, Answer::Yes},
    {"YesNoN", false, {'N'}, Answer::No},
    {"YesNoEscapeIsNo", false, {VkEscape}, Answer::No},
    {"YesNoReturnIsNo", false, {VkReturn}, Answer::No},
    {"YesNoLeftReturnIsYes", false, {VkLeft, VkReturn}, Answer::Yes},
    {"YesNoRightStopsAtNo", false, {VkLeft, VkRight, VkRight, VkReturn}, Answer::No},
    {"YesNoCNotOffered", false, {'C'}, std::nullopt},
    {"YesNoOtherKeys", false, {VkSpace, VkDown, 'Q'}, std::nullopt},
    {"CancelEscapeIsCancel", true, {VkEscape}, Answer::Cancel},
    {"CancelC", true, {'C'}, Answer::Cancel},
    {"CancelReturnIsCancel", true, {VkReturn}, Answer::Cancel},
    {"CancelLeftReturnIsNo", true, {VkLeft, VkReturn}, Answer::No},
    {"CancelLeftStopsAtYes", true, {VkLeft, VkLeft, VkLeft, VkReturn}, Answer::Yes},
    {"CancelRightStopsAtCancel", true, {VkLeft, VkRight, VkRight, VkReturn}, Answer::Cancel},
};

class QuestionKeys : public ::testing::TestWithParam<KeysCase> {};

TEST_P(QuestionKeys, GiveTheirAnswer) {
  int calls = 0;
  Question question = GetParam().WithCancel
                          ? YesNoCancelQuestion("Save changes to a?", [&](Answer) { ++calls; })
                          : YesNoQuestion("Erase the best times of a?", [&](Answer) { ++calls; });
  std::optional<Answer> answer;
  for (const uint16_t key : GetParam().Keys) answer = AnswerForKey(question, key);
  EXPECT_EQ(answer, GetParam().Expected);
  EXPECT_EQ(calls, 0);  // answering is the game's: the card only tells which
}

INSTANTIATE_TEST_SUITE_P(Cards, QuestionKeys, ::testing::ValuesIn(Cases),
                         [](const auto& param) { return std::string(param.param.Name); });

TEST(LevelRows, ThePlayersFirstPlaceIsTheirBest) {
  BestTimes times;
  times.BestNames[1] = "Bo";
  times.BestTime[1] = 900;
  times.BestNames[2] = "Ann";
  times.BestTime[2] = 1001;
  times.BestNames[3] = "Ann";
  times.BestTime[3] = 1500;
  EXPECT_EQ(PlayerRow(times, "Ann").PlayerBest, 1001);
  EXPECT_TRUE(PlayerRow(times, "Ann").Finished);
  EXPECT_FALSE(PlayerRow(times, "Cy").Finished);
  EXPECT_FALSE(PlayerRow(times, "").Finished);  // an empty name is a free place, not a player
}

TEST(LevelRows, TitlesAreWords) {
  EXPECT_EQ(LevelTitle("01-first-steps.vel"), "01 first steps");
  EXPECT_EQ(LevelTitle("MINE.VEL"), "MINE");
  EXPECT_EQ(LevelTitle("a-b"), "a b");
}

// The rows the card's large type is drawn on, top down: a title that wraps pushes the
// answers down by a line, so no line lands on another.
TEST(QuestionCard, AWrappedTitleMovesTheAnswersDown) {
  const struct {
    const char* Text;
    const char* Rows;
  } cases[] = {
      {"Quit tobu?", "170 220"},
      {"Erase the best times of 22 guarded drops?", "170 194 244"},
      {"Save changes to MOUNTAIN?", "170 220"},
      {"Replace the game's level 01-first-steps?", "170 194 244"},
  };
  for (const auto& c : cases) {
    testing::RecordingDisplay display;
    DrawQuestionCard(display, YesNoQuestion(c.Text, [](Answer) {}), 0);
    std::set<int> rows;
    for (const auto& call : display.Calls)
      if (call.Sheet == SheetFont) rows.insert(call.Y);
    std::string seen;
    for (const int y : rows) seen += (seen.empty() ? "" : " ") + std::to_string(y);
    EXPECT_EQ(seen, c.Rows) << c.Text;
  }
}

}  // namespace
}  // namespace tobu
