// events/: the named events the logic queues during a tick for the platform to drain.
// Includes only the standard library.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tobu {

// What happened in the game, reported at the tick where it happened. The platform
// reacts (a sound for each); the game itself never reads them back.
enum class GameEvent : uint8_t {
  Jump,
  Eat,
  Open,
  Locked,
  Finish,
  Best,
  TopTen,
  Fail,
  Move,
  Choose,
  Back,
  Type,
  Erase,
  Paint,
  Place,
  Remove,
  Start,
  Saved,
  Opened,
  Error,
  Land,  // plus only: the runner came down from a fall
};
constexpr int GameEventCount = static_cast<int>(GameEvent::Land) + 1;

// The event's name as tobu-script prints it: "jump", "topten", ...
std::string_view EventName(GameEvent event);

// The events of the game in the order they happened, until someone drains them.
class EventQueue {
 public:
  void Push(GameEvent event);
  // For events a drag would repeat many times a tick: the first one of a tick only.
  void PushOncePerTick(GameEvent event);
  // A tick begins: PushOncePerTick may report again.
  void NewTick() { pushedThisTick_ = 0; }
  // The events since the last drain, oldest first; the queue is empty afterwards.
  std::vector<GameEvent> Drain();
  bool Empty() const { return events_.empty(); }

 private:
  std::vector<GameEvent> events_;
  uint32_t pushedThisTick_ = 0;  // one bit per event
};

// "eat,open": the names joined with commas, empty for no events.
std::string JoinEventNames(const std::vector<GameEvent>& events);

}  // namespace tobu
