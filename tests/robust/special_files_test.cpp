// Files that are no regular files, where the game reads one: each is the file error it
// is, at once. A FIFO with no writer used to block the game in its open for ever (the
// alarm ends such a test instead of letting it hang).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "replay/replay_file.h"
#include "settings/settings_file.h"
#include "support/game_fixture.h"
#include "world/file_io.h"

namespace tobu::testing {
namespace {

namespace fs = std::filesystem;

struct FifoCase {
  const char* Name;
  const char* File;  // made a FIFO, in the test's directory
  std::function<void(Game&)> Read;
  const char* Message;
};
void PrintTo(const FifoCase& c, std::ostream* out) { *out << c.Name; }

class Fifos : public GameFixture, public ::testing::WithParamInterface<FifoCase> {};

TEST_P(Fifos, AreFilesThatCannotBeOpened) {
  const FifoCase& c = GetParam();
  form.Start();
  ASSERT_EQ(::mkfifo((dir.Path() / c.File).c_str(), 0644), 0);
  ::alarm(10);
  std::string shown;
  try {
    c.Read(form);
  } catch (const FileError& error) {
    shown = error.what();
  }
  ::alarm(0);
  EXPECT_EQ(shown, c.Message);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, Fifos,
    ::testing::Values(FifoCase{"PlayersDat", "Players.dat", [](Game& form) { form.Start(); },
                               "Cannot open file Players.dat"},
                      FifoCase{"Level", "Levels/x.vel",
                               [](Game& form) { LoadLevel("Levels/x.vel", form.Level); },
                               "Cannot open file Levels/x.vel"},
                      FifoCase{"WatchedReplay", "x.tbr", [](Game& form) { form.WatchReplay("x.tbr"); },
                               "Cannot open file x.tbr"},
                      FifoCase{"TobuIni", "tobu.ini",
                               [](Game&) {
                                 std::ostringstream log;
                                 LoadSettings("tobu.ini", log);
                                 throw FileError(log.str());
                               },
                               "tobu: Cannot open file tobu.ini; using the default settings\n"}),
    [](const ::testing::TestParamInfo<FifoCase>& param) { return std::string(param.param.Name); });

// A reader given a limit reads one byte past it and no further.
TEST(SpecialFiles, ALimitedReadStopsOneBytePastTheLimit) {
  TempDir dir;
  WriteBytes(dir.Path() / "big", std::vector<uint8_t>(100000, 7));
  EXPECT_EQ(ReadWholeFile(dir.File("big"), 10).size(), 11u);
  EXPECT_EQ(ReadWholeFile(dir.File("big"), 100000).size(), 100000u);
}

}  // namespace
}  // namespace tobu::testing
