#include "server/limits.h"

#include <algorithm>
#include <cmath>

namespace tobu::server {

bool RateLimiter::Allow(const std::string& key, Clock::time_point now) {
  const std::lock_guard lock(mutex_);
  if (buckets_.size() > 100000) ForgetFullBuckets(now);
  auto [entry, added] = buckets_.try_emplace(key, Bucket{burst_, now});
  Bucket& bucket = entry->second;
  const double minutes = std::chrono::duration<double, std::ratio<60>>(now - bucket.Updated).count();
  bucket.Tokens = std::min(burst_, bucket.Tokens + minutes * perMinute_);
  bucket.Updated = now;
  if (bucket.Tokens < 1.0) return false;
  bucket.Tokens -= 1.0;
  return true;
}

int RateLimiter::SecondsUntilNext() const {
  return std::max(1, static_cast<int>(std::ceil(60.0 / perMinute_)));
}

// A bucket that would be full by now holds nothing worth keeping.
void RateLimiter::ForgetFullBuckets(Clock::time_point now) {
  std::erase_if(buckets_, [&](const auto& entry) {
    const double minutes = std::chrono::duration<double, std::ratio<60>>(now - entry.second.Updated).count();
    return entry.second.Tokens + minutes * perMinute_ >= burst_;
  });
}

VerificationSlots::Slot VerificationSlots::Enter() {
  std::unique_lock lock(mutex_);
  if (admitted_ >= capacity_) return Slot(nullptr);
  ++admitted_;
  freed_.wait(lock, [this] { return active_ < running_; });
  ++active_;
  return Slot(this);
}

void VerificationSlots::Release() {
  const std::lock_guard lock(mutex_);
  --active_;
  --admitted_;
  freed_.notify_one();
}

}  // namespace tobu::server
