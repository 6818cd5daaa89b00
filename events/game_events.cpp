#include "events/game_events.h"

#include <array>

namespace tobu {
namespace {

constexpr std::array<std::string_view, GameEventCount> Names = {
    "jump", "eat",   "open",  "locked", "finish", "best",  "topten", "fail",   "move",  "choose", "back",
    "type", "erase", "paint", "place",  "remove", "start", "saved",  "opened", "error", "land"};

uint32_t Bit(GameEvent event) { return uint32_t{1} << static_cast<unsigned>(event); }

}  // namespace

std::string_view EventName(GameEvent event) {
  const auto index = static_cast<size_t>(event);
  return index < Names.size() ? Names[index] : std::string_view("?");
}

void EventQueue::Push(GameEvent event) {
  events_.push_back(event);
  pushedThisTick_ |= Bit(event);
}

void EventQueue::PushOncePerTick(GameEvent event) {
  if ((pushedThisTick_ & Bit(event)) == 0) Push(event);
}

std::vector<GameEvent> EventQueue::Drain() {
  std::vector<GameEvent> drained;
  drained.swap(events_);
  return drained;
}

std::string JoinEventNames(const std::vector<GameEvent>& events) {
  std::string text;
  for (const GameEvent event : events) {
    if (!text.empty()) text += ',';
    text += EventName(event);
  }
  return text;
}

}  // namespace tobu
