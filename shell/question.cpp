#include "shell/question.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "present/bitmap_text.h"
#include "present/plus_panel.h"
#include "present/sheets.h"
#include "sim/keys.h"

namespace tobu {
namespace {

constexpr int BandTop = 150;
constexpr int BandHeight = 150;
constexpr int AnswersTop = 220;
constexpr int SlotWidth = 170;
constexpr int TitleLineHeight = 24;

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

// The text in lines the width of the card: a long level name moves to a second line.
std::vector<std::string> WrapText(const std::string& text) {
  constexpr int64_t Widest = ViewWidth - 80;
  std::vector<std::string> lines{""};
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find(' ', start), text.size());
    const std::string word = text.substr(start, end - start);
    std::string& line = lines.back();
    if (!line.empty() && StringAdvance(line + " " + word) > Widest) {
      lines.push_back(word);
    } else {
      line += (line.empty() ? "" : " ") + word;
    }
    start = end + 1;
  }
  return lines;
}

// The card grows down by a line's height for each line the text wraps to beyond its
// first, and everything under the text moves down with it.
int ExtraHeight(const std::vector<std::string>& lines) {
  return TitleLineHeight * (static_cast<int>(lines.size()) - 1);
}

int FirstSlotLeft(const Question& question) {
  return ViewWidth / 2 - static_cast<int>(question.Answers.size()) * SlotWidth / 2;
}

}  // namespace

Question YesNoQuestion(std::string text, std::function<void(Answer)> then) {
  return {std::move(text), {Answer::Yes, Answer::No}, 1, std::move(then), {}};
}

Question YesNoCancelQuestion(std::string text, std::function<void(Answer)> then) {
  return {std::move(text), {Answer::Yes, Answer::No, Answer::Cancel}, 2, std::move(then), {}};
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

std::optional<size_t> AnswerAt(const Question& question, int32_t x, int32_t y) {
  const int answersTop = AnswersTop + ExtraHeight(WrapText(question.Text));
  // An answer's slot: from its pointer's top down past its key's line.
  if (y < answersTop - 10 || y >= answersTop + 46 || x < FirstSlotLeft(question)) return std::nullopt;
  const size_t slot = static_cast<size_t>((x - FirstSlotLeft(question)) / SlotWidth);
  return slot < question.Answers.size() ? std::optional<size_t>(slot) : std::nullopt;
}

void DrawQuestionCard(Display& display, const Question& question, int pointerFrame) {
  const std::vector<std::string> lines = WrapText(question.Text);
  const int extra = ExtraHeight(lines);
  DrawPlusPanel(display, 20, BandTop, ViewWidth - 40, BandHeight + extra);
  for (size_t i = 0; i < lines.size(); ++i)
    ShowString(display, -1, BandTop + 20 + TitleLineHeight * static_cast<int>(i), lines[i]);
  // Centred as well as a width guessed at 6 pixels a character allows.
  const int detailWidth = static_cast<int>(question.Detail.size()) * 6;
  display.DrawCanvasText(std::max(8, (ViewWidth - detailWidth) / 2), BandTop + 46 + extra, question.Detail);
  const int answersTop = AnswersTop + extra;
  const int count = static_cast<int>(question.Answers.size());
  for (int i = 0; i < count; ++i) {
    const Answer answer = question.Answers[static_cast<size_t>(i)];
    const int left = FirstSlotLeft(question) + i * SlotWidth + 56;
    ShowString(display, left, answersTop, LookOf(answer).Label);
    const bool safe = answer == question.Safe();
    display.DrawCanvasText(left + 4, answersTop + 30,
                           std::string("key ") + LookOf(answer).KeyName + (safe ? " or Escape" : ""));
    if (static_cast<size_t>(i) == question.Highlighted)
      display.DrawFrame(SheetHelmet, left - 36, answersTop - 10, pointerFrame);
  }
  display.DrawCanvasText(190, BandTop + BandHeight + extra - 24, "Left and Right choose, Return answers");
}

}  // namespace tobu
