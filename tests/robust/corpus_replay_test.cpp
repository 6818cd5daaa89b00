// Every committed fuzz input goes through the same checks the fuzzers run, so a finding
// once fixed stays fixed, and the checks themselves run in every test build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_bodies.h"
#include "support/temp_dir.h"

namespace tobu::testing {
namespace {

struct CorpusFile {
  std::string Target;
  std::filesystem::path File;
};

std::vector<CorpusFile> CorpusFiles() {
  std::vector<CorpusFile> files;
  const std::filesystem::path corpus = std::filesystem::path(TOBU_SOURCE_DIR) / "fuzz" / "corpus";
  for (const char* target : {"level", "roster", "replay", "settings"}) {
    for (const auto& entry : std::filesystem::directory_iterator(corpus / target)) {
      if (entry.is_regular_file()) files.push_back({target, entry.path()});
    }
  }
  std::sort(files.begin(), files.end(),
            [](const CorpusFile& a, const CorpusFile& b) { return a.File < b.File; });
  return files;
}

class CorpusReplay : public ::testing::TestWithParam<CorpusFile> {};

TEST_P(CorpusReplay, KeepsEveryRule) {
  const CorpusFile& input = GetParam();
  const std::vector<uint8_t> bytes = ReadBytes(input.File);
  const std::string broken = input.Target == "level"    ? fuzz::CheckLevelBytes(bytes)
                             : input.Target == "roster" ? fuzz::CheckRosterBytes(bytes)
                             : input.Target == "replay" ? fuzz::CheckReplayBytes(bytes)
                                                        : fuzz::CheckSettingsBytes(bytes);
  EXPECT_EQ(broken, "") << input.File;
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusReplay, ::testing::ValuesIn(CorpusFiles()),
                         [](const ::testing::TestParamInfo<CorpusFile>& param) {
                           std::string name = param.param.Target + "_" + param.param.File.stem().string();
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

// The replay is only worth something while both corpora have inputs in them.
TEST(CorpusReplay, BothCorporaHaveInputs) {
  int level = 0, roster = 0;
  for (const CorpusFile& file : CorpusFiles()) {
    if (file.Target == "level") ++level;
    if (file.Target == "roster") ++roster;
  }
  EXPECT_GE(level, 5);
  EXPECT_GE(roster, 5);
}

TEST(CorpusReplay, ReplayAndSettingsCorporaHaveInputs) {
  const std::vector<CorpusFile> files = CorpusFiles();
  for (const char* target : {"replay", "settings"}) {
    const auto ofTarget = [&](const CorpusFile& file) { return file.Target == target; };
    EXPECT_GE(std::count_if(files.begin(), files.end(), ofTarget), 5) << target;
  }
}

}  // namespace
}  // namespace tobu::testing
