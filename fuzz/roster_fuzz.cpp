// libFuzzer entry for the roster file reader; the checks live in fuzz_bodies.cpp.
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_bodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string broken = tobu::fuzz::CheckRosterBytes({data, size});
  if (!broken.empty()) {
    std::fprintf(stderr, "roster_fuzz: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
