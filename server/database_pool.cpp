#include "server/database_pool.h"

namespace tobu::server {

ConnectionPool::Lease ConnectionPool::Take() {
  std::unique_lock lock(mutex_);
  returned_.wait(lock, [this] { return !idle_.empty() || open_ < size_; });
  if (!idle_.empty()) {
    std::unique_ptr<Connection> connection = std::move(idle_.back());
    idle_.pop_back();
    return Lease(*this, std::move(connection));
  }
  ++open_;
  lock.unlock();
  try {
    return Lease(*this, OpenConnection(url_));
  } catch (...) {
    const std::lock_guard relock(mutex_);
    --open_;
    returned_.notify_one();
    throw;
  }
}

void ConnectionPool::Return(std::unique_ptr<Connection> connection) {
  const std::lock_guard lock(mutex_);
  if (connection) {
    idle_.push_back(std::move(connection));
  } else {
    --open_;
  }
  returned_.notify_one();
}

}  // namespace tobu::server
