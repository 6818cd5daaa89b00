#include "server/board_cache.h"

#include <mutex>

namespace tobu::server {

std::shared_ptr<const std::string> BoardCache::Find(const std::string& level, int64_t version) const {
  const std::shared_lock lock(mutex_);
  const auto found = boards_.find(level);
  if (found == boards_.end() || found->second.Version != version) return nullptr;
  return found->second.Board;
}

void BoardCache::Keep(const std::string& level, int64_t version, std::shared_ptr<const std::string> board) {
  const std::unique_lock lock(mutex_);
  const auto found = boards_.find(level);
  if (found != boards_.end()) {
    // A slower reader's older board never replaces a newer one.
    if (found->second.Version <= version) found->second = {version, std::move(board)};
    return;
  }
  if (boards_.size() >= capacity_) boards_.clear();
  boards_.emplace(level, Entry{version, std::move(board)});
}

}  // namespace tobu::server
