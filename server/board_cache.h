// The boards' JSON as last rendered, so that a read that finds its level unchanged sends
// it again without querying the records. A board changes only in the transaction that
// counts a play, so a level's play count is its board's version: a server that reads the
// count sees a change another server on the same database made, and no time limit is
// needed to stay correct.
#pragma once
#include <cstdint>
#include <memory>
#include <shared_mutex>
#include <string>
#include <unordered_map>

namespace tobu::server {

class BoardCache {
 public:
  explicit BoardCache(size_t capacity) : capacity_(capacity) {}
  // The level's board rendered at `version`, or null when that is not the one kept.
  std::shared_ptr<const std::string> Find(const std::string& level, int64_t version) const;
  // Keeps a board unless a later version is kept already; forgets every board when full.
  void Keep(const std::string& level, int64_t version, std::shared_ptr<const std::string> board);

 private:
  struct Entry {
    int64_t Version;
    std::shared_ptr<const std::string> Board;
  };
  size_t capacity_;
  mutable std::shared_mutex mutex_;
  std::unordered_map<std::string, Entry> boards_;
};

}  // namespace tobu::server
