// What keeps one client from taking the server: a rate per identity and per address for
// uploads and submissions, and a bounded number of verifications at once.
#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <unordered_map>

namespace tobu::server {

// A token bucket per key: `burst` requests at once, then `perMinute` a minute. Kept in
// the process, so each server of a group counts its own share.
class RateLimiter {
 public:
  using Clock = std::chrono::steady_clock;
  RateLimiter(double perMinute, double burst) : perMinute_(perMinute), burst_(burst) {}
  // Takes one request from `key`'s bucket; false when it is empty.
  bool Allow(const std::string& key, Clock::time_point now = Clock::now());
  // Seconds until `key` has a request again (for Retry-After).
  int SecondsUntilNext() const;

 private:
  struct Bucket {
    double Tokens = 0;
    Clock::time_point Updated;
  };
  void ForgetFullBuckets(Clock::time_point now);

  double perMinute_;
  double burst_;
  std::mutex mutex_;
  std::unordered_map<std::string, Bucket> buckets_;
};

// At most `running` verifications at once and `waiting` more queued; beyond that a
// submission is turned away (503) rather than held.
class VerificationSlots {
 public:
  VerificationSlots(int running, int waiting) : running_(running), capacity_(running + waiting) {}

  class Slot {
   public:
    explicit Slot(VerificationSlots* slots) : slots_(slots) {}
    ~Slot() {
      if (slots_) slots_->Release();
    }
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;
    explicit operator bool() const { return slots_ != nullptr; }

   private:
    VerificationSlots* slots_;
  };

  // A slot, after waiting for a running place; an empty one when the queue is full.
  Slot Enter();

 private:
  void Release();

  int running_;
  int capacity_;
  int admitted_ = 0;  // running and waiting
  int active_ = 0;    // running
  std::mutex mutex_;
  std::condition_variable freed_;
};

}  // namespace tobu::server
