#include "shell/question.h"

#include <algorithm>
#include <utility>

#include "present/bitmap_text.h"
#include "present/sheets.h"
#include "sim/keys.h"

namespace tobu {
namespace {

constexpr int BandTop = 150;
constexpr int BandHeight = 150;
constexpr int AnswersTop = 220;
constexpr int SlotWidth = 170;

struct AnswerLook {
  Answer Value;
  const char* Label;
  uint16_t Key;
  const char* KeyName;
};
constexpr AnswerLook Looks[] = {
    {Answer::Yes, "Yes", 'Y', "Y"},
    {Answer::No, "No", 'N', "N"},
    {Answer::Cancel, "Cancel", 'C', "C"},
};

const AnswerLook& LookOf(Answer answer) {
  for (const AnswerLook& look : Looks) {
    if (look.Value == answer) return look;
  }
  return Looks[0];
}

}  // namespace

Question YesNoQuestion(std::string text, std::function<void(Answer)> then, bool yesFirst) {
  return {std::move(text), {Answer::Yes, Answer::No}, yesFirst ? 0u : 1u, std::move(then), {}};
}

Question YesNoCancelQuestion(std::string text, std::function<void(Answer)> then) {
  return {std::move(text), {Answer::Yes, Answer::No, Answer::Cancel}, 0, std::move(then), {}};
}

std::optional<Answer> AnswerForKey(Question& question, uint16_t key) {
  if (key == VkEscape) return question.Safe();
  if (key == VkReturn) return question.Answers[question.Highlighted];
  if (key == VkLeft && question.Highlighted > 0) --question.Highlighted;
  if (key == VkRight && question.Highlighted + 1 < question.Answers.size()) ++question.Highlighted;
  for (const Answer answer : question.Answers) {
    if (key == LookOf(answer).Key) return answer;
  }
  return std::nullopt;
}

void DrawQuestionCard(Display& display, const Question& question, int pointerFrame) {
  // Darkened to a sixteenth, so the screen beneath cannot be read through the text.
  for (int pass = 0; pass < 4; ++pass) display.ShadeRect(0, BandTop, ViewWidth, BandHeight);
  ShowString(display, -1, BandTop + 20, question.Text);
  // Centred as well as a width guessed at 6 pixels a character allows.
  const int detailWidth = static_cast<int>(question.Detail.size()) * 6;
  display.DrawCanvasText(std::max(8, (ViewWidth - detailWidth) / 2), BandTop + 46, question.Detail);
  const int count = static_cast<int>(question.Answers.size());
  const int firstSlot = ViewWidth / 2 - count * SlotWidth / 2;
  for (int i = 0; i < count; ++i) {
    const Answer answer = question.Answers[static_cast<size_t>(i)];
    const int left = firstSlot + i * SlotWidth + 56;
    ShowString(display, left, AnswersTop, LookOf(answer).Label);
    const bool safe = answer == question.Safe();
    display.DrawCanvasText(left + 4, AnswersTop + 30,
                           std::string("key ") + LookOf(answer).KeyName + (safe ? " or Escape" : ""));
    if (static_cast<size_t>(i) == question.Highlighted)
      display.DrawFrame(SheetHelmet, left - 36, AnswersTop - 10, pointerFrame);
  }
  display.DrawCanvasText(190, BandTop + BandHeight - 24, "Left and Right choose, Return answers");
}

}  // namespace tobu
