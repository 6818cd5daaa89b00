#ifdef TOBU_HAVE_ONLINE
#include "platform/online_records.h"

#include <string>

#include "online/answers.h"

namespace tobu {

OnlineListRecords::OnlineListRecords(Game& game, OnlineClient& client) : game_(game), client_(client) {}

void OnlineListRecords::Poll() {
  const bool shown = game_.Plus && game_.Mode == GameMode::SelectLevel;
  if (shown && !listShown_ && ticket_ == 0) ticket_ = client_.Get("/levels?order=plays");
  listShown_ = shown;
}

bool OnlineListRecords::Take(const OnlineReply& reply) {
  if (ticket_ == 0 || reply.Ticket != ticket_) return false;
  ticket_ = 0;
  game_.WorldRecords.clear();
  const auto levels = reply.Ok() ? ParseLevelList(reply.Body) : std::nullopt;
  if (!levels) return true;
  for (const OnlineLevel& level : *levels) {
    // The id is the level CRC in 8 hex digits (checked by the parser).
    if (level.Record)
      game_.WorldRecords[std::stoul(level.Id, nullptr, 16)] = {level.Record->Player, level.Record->Time};
  }
  return true;
}

}  // namespace tobu
#endif
