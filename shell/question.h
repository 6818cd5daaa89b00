#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "present/display.h"

namespace tobu {

// The answers a question may offer. The last answer offered is the safe one: Escape
// gives it, and it changes nothing.
enum class Answer { Yes, No, Cancel };

// A question put to the player on a card over the screen (plus), before anything is
// lost: its text, its answers in the order drawn, the one Return would give, and what
// the game does with the answer.
struct Question {
  std::string Text;
  std::vector<Answer> Answers;
  size_t Highlighted = 0;
  std::function<void(Answer)> Then;
  std::string Detail;  // an optional line in small type under the text

  Answer Safe() const { return Answers.back(); }
};

// "Yes" and "No" (the safe one). The pointer of every question starts on the safe
// answer, so a Return pressed without reading loses nothing.
Question YesNoQuestion(std::string text, std::function<void(Answer)> then);
// "Yes", "No" and "Cancel" (the safe one).
Question YesNoCancelQuestion(std::string text, std::function<void(Answer)> then);

// A key on the open question: Y, N and C give their answers when offered, Escape the
// safe one, Return the highlighted one; Left and Right move the highlight. Any other
// key gives nothing.
std::optional<Answer> AnswerForKey(Question& question, uint16_t key);

// The answer whose slot on the card holds frame pixel (x, y), if any (its index in
// Answers): a pointer there highlights it, a click gives it.
std::optional<size_t> AnswerAt(const Question& question, int32_t x, int32_t y);

// The card: a framed panel across the middle with the text, the answers with their keys
// and the menu pointer (frame `pointerFrame`) at the highlighted one.
void DrawQuestionCard(Display& display, const Question& question, int pointerFrame);

}  // namespace tobu
