// File faults of links and permissions: a link loop is a file that cannot be opened, a
// replaced file keeps its link, its permission bits and its refusal to be written, and
// the errors of one handler are all shown, in order.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>

#include "fuzz/sample_levels.h"
#include "support/game_fixture.h"
#include "world/file_io.h"

namespace tobu::testing {
namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

std::set<std::string> Listing(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
  return names;
}

mode_t ModeBits(const fs::path& file) {
  struct stat info {};
  ::stat(file.c_str(), &info);
  return info.st_mode & 07777;
}

class LinkAndPermissionFaults : public GameFixture {
 protected:
  ~LinkAndPermissionFaults() override { SetOwnerWriteBitsDecideForTesting(false); }

  // The messages one handler call shows, one per line; empty when it showed none.
  template <typename Handler>
  std::string Shown(Handler&& handler) {
    try {
      handler();
    } catch (const FileError& error) {
      std::string shown;
      for (const std::string& message : error.Messages()) shown += (shown.empty() ? "" : "\n") + message;
      return shown;
    }
    return {};
  }
  std::string PressShown(uint16_t key) {
    std::string shown = Shown([&] { form.KeyDown(key); });
    if (key == VkReturn) shown += Shown([&] { form.KeyPress(13); });
    return shown + Shown([&] { form.KeyUp(key); });
  }
  // Takes write permission from `file` as an ordinary user would see it; root may write
  // anything, so there the owner's write bit is made to decide.
  void MakeReadOnly(const fs::path& file) {
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (::geteuid() == 0) SetOwnerWriteBitsDecideForTesting(true);
  }
};

// Symbolic links that lead nowhere a file can be read from: the file layer's own
// messages, and the link is left as it was.
struct LoopCase {
  const char* Name;
  std::function<void()> Make;  // in the working directory, making "x" a loop
};
void PrintTo(const LoopCase& c, std::ostream* out) { *out << c.Name; }

class LinkLoops : public LinkAndPermissionFaults, public ::testing::WithParamInterface<LoopCase> {};

TEST_P(LinkLoops, AreFilesThatCannotBeOpenedOrCreated) {
  GetParam().Make();
  const fs::path target = fs::read_symlink("x");
  EXPECT_EQ(Shown([] { ReadWholeFile("x"); }), "Cannot open file x");
  EXPECT_EQ(Shown([] { ReadFileIfPresent("x"); }), "Cannot open file x");
  EXPECT_EQ(Shown([] { ReplaceFile("x", {1, 2, 3}); }), "Cannot create file x");
  EXPECT_TRUE(fs::is_symlink("x"));
  EXPECT_EQ(fs::read_symlink("x"), target);
}

INSTANTIATE_TEST_SUITE_P(Cases, LinkLoops,
                         ::testing::Values(LoopCase{"ToItself", [] { fs::create_symlink("x", "x"); }},
                                           LoopCase{"ThroughAnother",
                                                    [] {
                                                      fs::create_symlink("y", "x");
                                                      fs::create_symlink("x", "y");
                                                    }},
                                           LoopCase{"ThroughAFolderThatLoops",
                                                    [] {
                                                      fs::create_symlink("d", "d");
                                                      fs::create_symlink("d/file", "x");
                                                    }}),
                         [](const ::testing::TestParamInfo<LoopCase>& param) {
                           return std::string(param.param.Name);
                         });

// The game meets the loops: Players.dat at start-up and when a player is created, the
// Levels folder, and a level in the editor. Each is a message, the game goes on.
TEST_F(LinkAndPermissionFaults, PlayersDatLinkedToItself) {
  fs::create_symlink("Players.dat", "Players.dat");
  EXPECT_EQ(Shown([&] { form.Start(); }), "Cannot open file Players.dat");
  EXPECT_EQ(form.Mode, GameMode::SelectPlayer);
  EXPECT_EQ(form.Players.PlayerCount, 0);
  PressShown(VkReturn);
  Type("Ann");
  EXPECT_EQ(PressShown(VkReturn), "Cannot create file Players.dat");
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  EXPECT_EQ(form.Players.PlayerName, "Ann");
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "Players.dat"));
}

TEST_F(LinkAndPermissionFaults, LevelsFolderLinkedToItselfAndALevelThatLoops) {
  fs::remove("Levels");
  fs::create_symlink("Levels", "Levels");
  fs::create_symlink("loop.vel", "loop.vel");
  EXPECT_EQ(Shown([&] { form.Start(); }), "");
  PressShown(VkReturn);
  Type("Ann");
  EXPECT_EQ(PressShown(VkReturn), "Cannot open directory Levels");
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  EXPECT_TRUE(form.LevelFiles.Items.empty());  // the looping level is no level
  PressShown(VkDown);
  PressShown(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::editor);
  PressShown('O');
  Type("loop");
  EXPECT_EQ(PressShown(VkReturn), "Cannot open file ./loop.vel");
  PressShown(VkEscape);
  PressShown('S');
  EXPECT_EQ(form.Editor.InputText, "loop");  // the name typed for the failed open
  EXPECT_EQ(PressShown(VkReturn), "Cannot create file ./loop.vel");
  EXPECT_EQ(form.Mode, GameMode::editor);
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "loop.vel"));
}

// Saving through links: the link stays a link, the file it leads to gets the bytes, and
// no temporary file stays in either folder. A dangling link creates its target.
TEST_F(LinkAndPermissionFaults, ReplacingThroughLinksWritesTheirTargets) {
  fs::create_directories("elsewhere/deeper");
  WriteBytes("elsewhere/deeper/real.dat", {9, 9});
  fs::create_symlink("../elsewhere/deeper/real.dat", "Levels/direct.dat");
  fs::create_symlink("Levels/direct.dat", "chain.dat");
  fs::create_symlink(dir.Path() / "elsewhere/new.dat", "dangling.dat");

  ReplaceFile("chain.dat", {1, 2, 3});
  EXPECT_TRUE(fs::is_symlink("chain.dat"));
  EXPECT_TRUE(fs::is_symlink("Levels/direct.dat"));
  EXPECT_EQ(ReadBytes("elsewhere/deeper/real.dat"), (Bytes{1, 2, 3}));
  EXPECT_EQ(Listing("elsewhere/deeper"), std::set<std::string>{"real.dat"});
  EXPECT_EQ(Listing("Levels"), std::set<std::string>{"direct.dat"});

  EXPECT_EQ(ReadFileIfPresent("dangling.dat"), std::nullopt);
  ReplaceFile("dangling.dat", {4});
  EXPECT_TRUE(fs::is_symlink("dangling.dat"));
  EXPECT_EQ(ReadBytes("elsewhere/new.dat"), Bytes{4});
  EXPECT_EQ(ModeBits("elsewhere/new.dat"), 0644u);
}

// A roster kept elsewhere through a link is still the roster after a player is chosen.
TEST_F(LinkAndPermissionFaults, LinkedPlayersDatStaysALink) {
  fs::create_directory("saves");
  WriteBytes("saves/Players.dat", {1, 3, 'A', 'n', 'n', 0, 0, 0, 0});
  fs::create_symlink("saves/Players.dat", "Players.dat");
  form.Start();
  PressShown(VkDown);
  EXPECT_EQ(PressShown(VkReturn), "");
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "Players.dat"));
  EXPECT_EQ(ReadBytes(dir.Path() / "saves/Players.dat"), (Bytes{1, 3, 'A', 'n', 'n', 1, 0, 0, 0}));
}

// The replaced file keeps the permission bits it had.
TEST_F(LinkAndPermissionFaults, ReplacingKeepsThePermissionBits) {
  for (const mode_t mode : {0600u, 0640u, 0664u, 0755u}) {
    WriteBytes("kept.dat", {1});
    ::chmod("kept.dat", mode);
    ReplaceFile("kept.dat", {2, 3});
    EXPECT_EQ(ModeBits("kept.dat"), mode) << std::oct << mode;
    EXPECT_EQ(ReadBytes("kept.dat"), (Bytes{2, 3}));
  }
}

// Every writer refuses a file this user may not write, with its own message, and leaves
// it byte for byte with no temporary beside it: Delete and a finished run agree on a
// read-only level.
enum class Writer { DeleteOnALevel, FinishedRunOnALevel, ChoosingAPlayer };
struct ReadOnlyCase {
  const char* Name;
  Writer What;
  const char* File;  // relative to the test's directory
  const char* Message;
};
void PrintTo(const ReadOnlyCase& c, std::ostream* out) { *out << c.Name; }

class ReadOnlyFiles : public LinkAndPermissionFaults, public ::testing::WithParamInterface<ReadOnlyCase> {};

TEST_P(ReadOnlyFiles, AreRefusedAndKeptByteForByte) {
  const ReadOnlyCase& c = GetParam();
  fuzz::WriteMonkeyLevels(dir.Path() / "Levels");
  WriteBytes("Players.dat", {1, 3, 'D', 'e', 'e', 0, 0, 0, 0});
  form.Start();
  const fs::path file = dir.Path() / c.File;
  if (c.What != Writer::ChoosingAPlayer) {
    PressShown(VkDown);
    PressShown(VkReturn);
    ASSERT_EQ(form.Mode, GameMode::MainMenu);
    PressShown(VkReturn);
    if (c.What == Writer::FinishedRunOnALevel) PressShown(VkReturn);  // a_exit.vel: the exit is on the start
  }
  const Bytes old = ReadBytes(file);
  MakeReadOnly(file);
  if (c.What == Writer::DeleteOnALevel) {
    EXPECT_EQ(PressShown(VkDelete), c.Message);
  }
  if (c.What == Writer::FinishedRunOnALevel) {
    ASSERT_EQ(form.Mode, GameMode::game);
    EXPECT_EQ(Shown([&] { form.Tick(1); }), c.Message);
    EXPECT_EQ(form.Mode, GameMode::GameMenu);
  }
  if (c.What == Writer::ChoosingAPlayer) {
    PressShown(VkDown);
    EXPECT_EQ(PressShown(VkReturn), c.Message);
    EXPECT_EQ(form.Mode, GameMode::MainMenu);
  }
  EXPECT_EQ(ReadBytes(file), old);
  EXPECT_EQ(ModeBits(file), 0444u);
  for (const std::string& name : Listing(file.parent_path())) EXPECT_NE(name[0], '.') << name;
}

INSTANTIATE_TEST_SUITE_P(Writers, ReadOnlyFiles,
                         ::testing::Values(ReadOnlyCase{"DeleteOnALevel", Writer::DeleteOnALevel,
                                                        "Levels/a_exit.vel", "Cannot create file a_exit.vel"},
                                           ReadOnlyCase{"FinishedRunOnALevel", Writer::FinishedRunOnALevel,
                                                        "Levels/a_exit.vel", "Cannot open file a_exit.vel"},
                                           ReadOnlyCase{"ChoosingAPlayer", Writer::ChoosingAPlayer,
                                                        "Players.dat", "Cannot create file Players.dat"}),
                         [](const ::testing::TestParamInfo<ReadOnlyCase>& param) {
                           return std::string(param.param.Name);
                         });

// Writing the roster fails and the Levels folder cannot be entered: both messages, in
// the order the steps ran, and the game is in the main menu.
TEST_F(LinkAndPermissionFaults, RosterAndLevelsFolderErrorsAreBothShownInOrder) {
  fs::remove("Levels");
  form.Start();
  fs::create_directory("Players.dat");
  PressShown(VkReturn);
  Type("Ann");
  EXPECT_EQ(Shown([&] { form.KeyPress(13); }),
            "Cannot create file Players.dat\nCannot open directory Levels");
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  fs::remove("Players.dat");
  WriteBytes("Players.dat", {1, 3, 'A', 'n', 'n', 0, 0, 0, 0});
  MakeReadOnly("Players.dat");
  form.Start();
  PressShown(VkDown);
  EXPECT_EQ(PressShown(VkReturn), "Cannot create file Players.dat\nCannot open directory Levels");
  EXPECT_EQ(form.Players.PlayerName, "Ann");
}

}  // namespace
}  // namespace tobu::testing
