#pragma once
#include <sys/resource.h>

namespace tobu::server {

// A socket a connection: as many open files as the system allows this process.
inline void RaiseOpenFileLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0) return;
  limit.rlim_cur = limit.rlim_max;
  setrlimit(RLIMIT_NOFILE, &limit);
}

}  // namespace tobu::server
