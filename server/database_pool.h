// Connections shared by the request threads: one per thread at most, opened on demand.
#pragma once
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "server/database.h"

namespace tobu::server {

class ConnectionPool {
 public:
  ConnectionPool(std::string url, size_t size) : url_(std::move(url)), size_(size) {}

  // A connection for the length of one request, returned to the pool when it ends.
  class Lease {
   public:
    Lease(ConnectionPool& pool, std::unique_ptr<Connection> connection)
        : pool_(pool), connection_(std::move(connection)) {}
    ~Lease() { pool_.Return(std::move(connection_)); }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    Connection& operator*() const { return *connection_; }
    Connection* operator->() const { return connection_.get(); }

   private:
    ConnectionPool& pool_;
    std::unique_ptr<Connection> connection_;
  };

  Lease Take();

 private:
  void Return(std::unique_ptr<Connection> connection);

  std::string url_;
  size_t size_;
  size_t open_ = 0;
  std::mutex mutex_;
  std::condition_variable returned_;
  std::vector<std::unique_ptr<Connection>> idle_;
};

}  // namespace tobu::server
