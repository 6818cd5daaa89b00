// libFuzzer entry for tobu-server's identity checks; the checks live in server_bodies.cpp.
#include <cstdio>
#include <cstdlib>

#include "server/fuzz/server_bodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string broken = tobu::server::fuzz::CheckIdentityText({data, size});
  if (!broken.empty()) {
    std::fprintf(stderr, "identity_fuzz: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
