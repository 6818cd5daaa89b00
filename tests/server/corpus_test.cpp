// The committed corpora of the server's fuzzers, each input through its fuzz body: what
// a fuzzer once found stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "server/fuzz/server_bodies.h"

namespace tobu::server::fuzz {
namespace {

TEST(ServerCorpus, EveryInputKeepsEveryRule) {
  const std::filesystem::path corpus = std::filesystem::path(TOBU_SOURCE_DIR) / "fuzz" / "corpus";
  const std::pair<const char*, std::string (*)(std::span<const uint8_t>)> targets[] = {
      {"upload", CheckLevelUploadBytes}, {"submission", CheckSubmissionBytes}, {"identity", CheckIdentityText}};
  for (const auto& [target, body] : targets) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / target)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_EQ(body(bytes), "") << entry.path();
      ++inputs;
    }
    EXPECT_GT(inputs, 2) << target;
  }
}

}  // namespace
}  // namespace tobu::server::fuzz
