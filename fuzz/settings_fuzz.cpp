// libFuzzer entry for the tobu.ini reader; the checks live in settings_body.cpp.
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_bodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string broken = tobu::fuzz::CheckSettingsBytes({data, size});
  if (!broken.empty()) {
    std::fprintf(stderr, "settings_fuzz: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
