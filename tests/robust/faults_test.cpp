// File faults met while playing: each is shown to the player (FileError escapes the
// handler, as the platform reports it), the game goes on, and nothing is lost.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "fuzz/sample_levels.h"
#include "support/game_fixture.h"
#include "world/file_io.h"

namespace tobu::testing {
namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

// Makes `path` read-only as an ordinary user sees it; root may write anything, so there
// the owner's write bits are made to decide. False when writing is still allowed.
bool MakeReadOnly(const fs::path& path) {
  ::chmod(path.c_str(), fs::is_directory(path) ? 0555 : 0444);
  if (::access(path.c_str(), W_OK) == 0) SetOwnerWriteBitsDecideForTesting(true);
  return ::access(path.c_str(), W_OK) != 0 || ::geteuid() == 0;
}

// Names in a directory, to prove no half-written temporary was left behind.
std::set<std::string> Listing(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
  return names;
}

// How a fault is brought about: the real one, or the writer failing after 0 bytes.
enum class Fault { ReadOnly, InjectedFailure };
void PrintTo(Fault fault, std::ostream* out) {
  *out << (fault == Fault::ReadOnly ? "ReadOnly" : "InjectedFailure");
}

class Faults : public GameFixture {
 protected:
  ~Faults() override {
    SetWriteFailureAfterBytesForTesting(-1);
    SetOwnerWriteBitsDecideForTesting(false);
  }

  // One handler call as the platform makes it: the message shown, or empty.
  template <typename Handler>
  std::string Shown(Handler&& handler) {
    try {
      handler();
    } catch (const FileError& error) {
      return error.what();
    }
    return {};
  }
  // A key stroke (down, character, up), each call guarded; the messages shown.
  std::string Stroke(uint16_t key) {
    std::string shown = Shown([&] { form.KeyDown(key); });
    if (key == VkReturn) shown += Shown([&] { form.KeyPress(13); });
    shown += Shown([&] { form.KeyUp(key); });
    return shown;
  }
  std::string TickShown() {
    return Shown([&] { form.Tick(1); });
  }
  // Brings the fault about, or says why it cannot be here.
  bool Arrange(Fault fault, const fs::path& readOnly) {
    if (fault == Fault::InjectedFailure) {
      SetWriteFailureAfterBytesForTesting(0);
      return true;
    }
    return MakeReadOnly(readOnly);
  }
  void Lift(Fault fault, const fs::path& readOnly) {
    SetWriteFailureAfterBytesForTesting(-1);
    if (fault == Fault::ReadOnly) fs::permissions(readOnly, fs::perms::owner_all, fs::perm_options::add);
  }
  // "MainMenu" -> "editor" with a tile painted at the top-left and the Save prompt
  // holding `name`.
  void EditAndAskToSave(const std::string& name) {
    Press(VkDown);
    Press(VkReturn);
    ASSERT_EQ(form.Mode, GameMode::editor);
    form.MouseDown(MouseButton::Left, 5, 5);
    form.MouseUp(MouseButton::Left, 5, 5);
    Press('S');
    ASSERT_TRUE(form.Editor.SavePromptOpen);
    Type(name);
  }
};

class SaveFaults : public Faults, public ::testing::WithParamInterface<Fault> {};

// The Save prompt cannot write: the message, the editor still open with the prompt and
// the typed name, the painted level still in memory, the old file untouched; once the
// fault is gone the same Return saves.
TEST_P(SaveFaults, EditorSaveIntoAnUnwritableLevelsFolder) {
  MakeLevel("keep.vel", [](World& world) { world.AppendObject() = LevelObject{ObjectFood, 1, 2}; });
  const Bytes old = ReadBytes("Levels/keep.vel");
  StartAsNewPlayer();
  EditAndAskToSave("keep");
  if (!Arrange(GetParam(), dir.Path() / "Levels")) GTEST_SKIP() << "chmod does not stop root from writing";
  EXPECT_EQ(Shown([&] { form.KeyPress(13); }), "Cannot create file ./keep.vel");
  EXPECT_EQ(TickShown(), "");
  EXPECT_EQ(form.Mode, GameMode::editor);
  EXPECT_TRUE(form.Editor.SavePromptOpen);
  EXPECT_EQ(form.Editor.InputText, "keep");
  EXPECT_EQ(form.Level.Cell(0, 0), TileGrass);
  EXPECT_EQ(ReadBytes(dir.Path() / "Levels/keep.vel"), old);
  EXPECT_EQ(Listing(dir.Path() / "Levels"), std::set<std::string>{"keep.vel"});

  Lift(GetParam(), dir.Path() / "Levels");
  EXPECT_EQ(Shown([&] { form.KeyPress(13); }), "");
  EXPECT_FALSE(form.Editor.SavePromptOpen);
  World saved;
  LoadLevel((dir.Path() / "Levels/keep.vel").string(), saved);
  EXPECT_EQ(saved.Cell(0, 0), TileGrass);
  EXPECT_EQ(saved.ObjectCount, 0);
}

// A finished run whose level file cannot be written: the results menu still shows the
// time, the ranking happens once (no message every tick), the file keeps its old table.
// The message says what failed: opening the read-only file, or writing (a full disk).
TEST_P(SaveFaults, BestTimesOfAFinishedRunIntoAnUnwritableFile) {
  fuzz::WriteMonkeyLevels(dir.Path() / "Levels");
  const fs::path level = dir.Path() / "Levels/a_exit.vel";
  const Bytes old = ReadBytes(level);
  StartAsNewPlayer("Dee");
  PlayLevel();
  ASSERT_EQ(form.Mode, GameMode::game);
  if (!Arrange(GetParam(), level)) GTEST_SKIP() << "chmod does not stop root from writing";
  const int presents = display.Presents;
  EXPECT_EQ(TickShown(), GetParam() == Fault::ReadOnly
                             ? "Cannot open file a_exit.vel"
                             : "Cannot create file a_exit.vel");  // the exit is on the start
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
  EXPECT_EQ(display.Presents, presents + 1);  // the frame was still shown
  EXPECT_TRUE(form.Outcome.NewBestTime || form.Outcome.InTopTen);
  EXPECT_EQ(TickShown(), "");
  EXPECT_EQ(ReadBytes(level), old);
  Lift(GetParam(), level);
  // The game goes on: back to the list and the same level again.
  Stroke(VkEscape);
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
  EXPECT_EQ(Stroke(VkReturn), "");
  EXPECT_EQ(form.Mode, GameMode::game);
}

INSTANTIATE_TEST_SUITE_P(Both, SaveFaults, ::testing::Values(Fault::ReadOnly, Fault::InjectedFailure),
                         [](const ::testing::TestParamInfo<Fault>& param) {
                           return param.param == Fault::ReadOnly ? std::string("ReadOnly")
                                                                 : std::string("InjectedFailure");
                         });

// A level that is not there or not a level when it is chosen: the message, the list stays,
// the level in memory and the file are as they were, and another row still plays.
struct ChosenLevelCase {
  const char* Name;
  std::function<void(const fs::path&)> Damage;
  const char* Message;
};
void PrintTo(const ChosenLevelCase& fault, std::ostream* out) { *out << fault.Name; }

class ChosenLevelFaults : public Faults, public ::testing::WithParamInterface<ChosenLevelCase> {};

TEST_P(ChosenLevelFaults, ShowTheMessageAndStayInTheList) {
  MakeLevel("a.vel");
  MakeLevel("b.vel", [](World& world) { world.AppendObject() = LevelObject{ObjectFood, 500, 500}; });
  StartAsNewPlayer();
  Press(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::SelectLevel);
  GetParam().Damage(dir.Path() / "Levels/a.vel");
  const bool present = fs::is_regular_file(dir.Path() / "Levels/a.vel");
  const Bytes damaged = present ? ReadBytes(dir.Path() / "Levels/a.vel") : Bytes{};
  const World before = form.Level;
  EXPECT_EQ(Stroke(VkReturn), GetParam().Message);
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
  EXPECT_EQ(form.Level.TileGrid, before.TileGrid);
  EXPECT_EQ(form.Level.ObjectList, before.ObjectList);
  EXPECT_EQ(form.Level.RunnerX, before.RunnerX);
  EXPECT_EQ(TickShown(), "");
  if (present) {
    EXPECT_EQ(ReadBytes(dir.Path() / "Levels/a.vel"), damaged);
  }
  // Delete on the same row must not turn a damaged file into an empty level either.
  EXPECT_EQ(Stroke(VkDelete), GetParam().Message);
  if (present) {
    EXPECT_EQ(ReadBytes(dir.Path() / "Levels/a.vel"), damaged);
  }
  Stroke(VkDown);
  EXPECT_EQ(Stroke(VkReturn), "");
  EXPECT_EQ(form.Mode, GameMode::game);
  EXPECT_EQ(form.Level.ObjectCount, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChosenLevelFaults,
    ::testing::Values(ChosenLevelCase{"DeletedAfterListing", [](const fs::path& file) { fs::remove(file); },
                                      "Cannot open file a.vel"},
                      ChosenLevelCase{"Truncated", [](const fs::path& file) { fs::resize_file(file, 6000); },
                                      "Level file a.vel is damaged"},
                      ChosenLevelCase{"ReplacedByADirectory",
                                      [](const fs::path& file) {
                                        fs::remove(file);
                                        fs::create_directory(file);
                                      },
                                      "Cannot open file a.vel"}),
    [](const ::testing::TestParamInfo<ChosenLevelCase>& param) { return std::string(param.param.Name); });

// A directory named like a level is not listed, and the editor can neither open it nor
// save over it.
TEST_F(Faults, DirectoryNamedLikeALevel) {
  MakeLevel("real.vel");
  fs::create_directory(dir.Path() / "Levels/folder.vel");
  StartAsNewPlayer();
  EXPECT_EQ(form.LevelFiles.Items, std::vector<std::string>{"real.vel"});
  EditAndAskToSave("folder");
  EXPECT_EQ(Shown([&] { form.KeyPress(13); }), "Cannot create file ./folder.vel");
  EXPECT_TRUE(fs::is_directory(dir.Path() / "Levels/folder.vel"));
  Stroke(VkEscape);
  Press('O');
  EXPECT_EQ(form.Editor.InputText, "folder");  // the name typed for the failed save
  Stroke(VkReturn);
  const World before = form.Level;
  EXPECT_EQ(Shown([&] { form.KeyPress(13); }), "Cannot open file ./folder.vel");
  EXPECT_EQ(form.Mode, GameMode::editor);
  EXPECT_EQ(form.Level.TileGrid, before.TileGrid);
  EXPECT_EQ(Listing(dir.Path() / "Levels"), (std::set<std::string>{"folder.vel", "real.vel"}));
}

// Players.dat damaged in three ways: start-up shows what it could read, a new player can
// still be created and chosen, and an unreadable file is not overwritten by accident.
TEST_F(Faults, PlayersDatThatIsADirectory) {
  fs::create_directory("Players.dat");
  EXPECT_EQ(Shown([&] { form.Start(); }), "Cannot open file Players.dat");
  EXPECT_EQ(form.Mode, GameMode::SelectPlayer);
  EXPECT_EQ(form.Players.PlayerCount, 0);
  EXPECT_EQ(TickShown(), "");
  Stroke(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::CreateNewPlayer);
  Type("Ann");
  EXPECT_EQ(Shown([&] { form.KeyPress(13); }), "Cannot create file Players.dat");
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  EXPECT_EQ(form.Players.PlayerName, "Ann");
  EXPECT_TRUE(fs::is_directory(dir.Path() / "Players.dat"));
}

TEST_F(Faults, PlayersDatCutShortKeepsTheNamesBeforeTheCut) {
  WriteBytes("Players.dat", {3, 3, 'A', 'n', 'n', 2, 'B', 'o', 7, 'C', 'h'});
  EXPECT_EQ(Shown([&] { form.Start(); }), "");
  EXPECT_EQ(form.Players.PlayerCount, 2);
  EXPECT_EQ(form.Players.PlayerNames[2], "Bo");
  EXPECT_EQ(form.MenuCursor, 0);
  Stroke(VkDown);
  Stroke(VkDown);
  EXPECT_EQ(Stroke(VkReturn), "");
  EXPECT_EQ(form.Players.PlayerName, "Bo");
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
}

TEST_F(Faults, PlayersDatDeclaring255Names) {
  Bytes bytes = {255};
  for (int i = 0; i < 255; ++i) {
    const std::string name = "P" + std::to_string(i);
    bytes.push_back(static_cast<uint8_t>(name.size()));
    bytes.insert(bytes.end(), name.begin(), name.end());
  }
  for (uint8_t b : {200, 0, 0, 0}) bytes.push_back(b);  // a last index far past the roster
  WriteBytes("Players.dat", bytes);
  EXPECT_EQ(Shown([&] { form.Start(); }), "");
  EXPECT_EQ(form.Players.PlayerCount, MaxPlayers);
  EXPECT_EQ(form.Players.PlayerNames[14], "P13");
  EXPECT_EQ(form.MenuCursor, 0);
  for (int i = 0; i < 40; ++i) Stroke(VkDown);
  EXPECT_EQ(form.MenuCursor, 14);
  for (int i = 0; i < 40; ++i) Stroke(VkUp);
  EXPECT_EQ(Stroke(VkReturn), "");  // "Create New Player" with 14 players does nothing
  EXPECT_EQ(form.Mode, GameMode::SelectPlayer);
  Stroke(VkDown);
  EXPECT_EQ(Stroke(VkReturn), "");
  EXPECT_EQ(form.Players.PlayerName, "P0");
  EXPECT_EQ(ReadRoster((dir.Path() / "Players.dat").string()).Roster.PlayerCount, MaxPlayers);
}

// No Levels folder: the message once a player is chosen, the main menu, an inert "Play",
// and the editor still works (it saves in the starting directory).
TEST_F(Faults, MissingLevelsFolder) {
  fs::remove("Levels");
  form.Start();
  Stroke(VkReturn);
  Type("Ann");
  EXPECT_EQ(Shown([&] { form.KeyPress(13); }), "Cannot open directory Levels");
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  EXPECT_EQ(Stroke(VkReturn), "");
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  EXPECT_EQ(TickShown(), "");
  EditAndAskToSave("new");
  EXPECT_EQ(Shown([&] { form.KeyPress(13); }), "");
  EXPECT_TRUE(fs::is_regular_file(dir.Path() / "new.vel"));
}

// Writes interrupted after every N bytes: the old file is left byte for byte and no
// temporary file stays behind.
TEST_F(Faults, EditorSaveInterruptedAtAnyByteKeepsTheOldFile) {
  MakeLevel("keep.vel", [](World& world) {
    for (int i = 0; i < 30; ++i) world.AppendObject() = LevelObject{ObjectFood, 40 * i, 70};
  });
  const Bytes old = ReadBytes(dir.Path() / "Levels/keep.vel");
  StartAsNewPlayer();
  EditAndAskToSave("keep");
  // Cut the write of the new file, which the editor's level makes 10213 bytes long.
  const int64_t size = 10213;
  std::vector<int64_t> cuts = {0, 1, 3, 4, 10200, 10201, 10205, size - 9, size - 1};
  for (int64_t n = 0; n < size; n += 997) cuts.push_back(n);
  for (const int64_t n : cuts) {
    SetWriteFailureAfterBytesForTesting(n);
    EXPECT_EQ(Shown([&] { form.KeyPress(13); }), "Cannot create file ./keep.vel") << n;
    EXPECT_EQ(ReadBytes(dir.Path() / "Levels/keep.vel"), old) << n;
    EXPECT_EQ(Listing(dir.Path() / "Levels"), std::set<std::string>{"keep.vel"}) << n;
    EXPECT_TRUE(form.Editor.SavePromptOpen) << n;
  }
  SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(Shown([&] { form.KeyPress(13); }), "");
  EXPECT_NE(ReadBytes(dir.Path() / "Levels/keep.vel"), old);
}

TEST_F(Faults, RosterWriteInterruptedAtAnyByteKeepsTheOldFile) {
  const Bytes old = {2, 3, 'A', 'n', 'n', 2, 'B', 'o', 2, 0, 0, 0};
  WriteBytes("Players.dat", old);
  form.Start();
  for (int64_t n = 0; n <= 16; ++n) {
    SetWriteFailureAfterBytesForTesting(n);
    form.Mode = GameMode::SelectPlayer;
    fs::current_path(dir.Path());
    form.MenuCursor = 1;
    EXPECT_EQ(Stroke(VkReturn), n < 12 ? "Cannot create file Players.dat" : "") << n;
    const Bytes chosenAnn = {2, 3, 'A', 'n', 'n', 2, 'B', 'o', 1, 0, 0, 0};
    EXPECT_EQ(ReadBytes(dir.Path() / "Players.dat"), n < 12 ? old : chosenAnn) << n;
    EXPECT_EQ(form.Mode, GameMode::MainMenu) << n;
  }
}

// A roster that could not be written is written when the game closes, the game's
// last moment to keep the new player; if that fails too, the message says so.
class RosterRetry : public Faults, public ::testing::WithParamInterface<bool> {};

TEST_P(RosterRetry, WhenTheGameCloses) {
  const bool diskFreed = GetParam();
  form.Start();
  Stroke(VkReturn);
  Type("Ann");
  SetWriteFailureAfterBytesForTesting(0);
  EXPECT_EQ(Stroke(VkReturn), "Cannot create file Players.dat");
  ASSERT_EQ(form.Mode, GameMode::MainMenu);
  if (diskFreed) SetWriteFailureAfterBytesForTesting(-1);
  EXPECT_EQ(Stroke(VkEscape), diskFreed ? "" : "Cannot create file Players.dat");
  EXPECT_TRUE(form.Closed);
  EXPECT_EQ(ReadRoster((dir.Path() / "Players.dat").string()).Roster.PlayerCount, diskFreed ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Disk, RosterRetry, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return std::string(param.param ? "Freed" : "StillFull");
                         });

// The best-times table is written into the level file itself: a write cut short must
// not leave half a table (or a damaged level) behind.
TEST_F(Faults, BestTimesWriteInterruptedAtAnyByteKeepsTheOldFile) {
  fuzz::WriteMonkeyLevels(dir.Path() / "Levels");
  const fs::path level = dir.Path() / "Levels/a_exit.vel";
  const Bytes old = ReadBytes(level);
  StartAsNewPlayer("Dee");
  for (int64_t n = 0; n < 40; n += 3) {
    fs::current_path(dir.Path() / "Levels");
    PlayLevel();
    ASSERT_EQ(form.Mode, GameMode::game) << n;
    SetWriteFailureAfterBytesForTesting(n);
    EXPECT_NE(TickShown(), "") << n;
    SetWriteFailureAfterBytesForTesting(-1);
    EXPECT_EQ(ReadBytes(level), old) << n;
    Stroke(VkEscape);
    Stroke(VkEscape);
    ASSERT_EQ(form.Mode, GameMode::MainMenu) << n;
  }
}

}  // namespace
}  // namespace tobu::testing

namespace tobu::testing {
namespace {

// A damaged level may put the start or an object anywhere in the 32-bit range (the
// fuzzer found the camera's centring overflowing there). Beyond 2^30 pixels the file is
// refused as damaged; up to there a run plays and ends at the bounds test with the
// runner back home.
struct FarCase {
  int32_t StartX, StartY, ObjectX;
  bool Refused;
};

TEST_F(Faults, PositionsNearTheEndsOfTheIntegerRange) {
  const FarCase cases[] = {
      {INT32_MIN, INT32_MIN, 0, true},       {INT32_MIN + 1, 5, 0, true},  {INT32_MAX, INT32_MAX, 0, true},
      {5, 100, INT32_MAX - 1, true},         {5, 100, INT32_MIN, true},    {-(1 << 30), 1 << 30, 0, false},
      {1 << 30, -(1 << 30), 1 << 30, false}, {100, 100, -(1 << 30), false}};
  StartAsNewPlayer();
  for (const FarCase& c : cases) {
    fs::current_path(dir.Path());
    MakeLevel("far.vel", [&](World& world) {
      world.RunnerX = c.StartX;
      world.RunnerY = c.StartY;
      world.AppendObject() = LevelObject{ObjectKiller, c.ObjectX, c.ObjectX};
    });
    fs::current_path(dir.Path() / "Levels");
    Stroke(VkReturn);
    ASSERT_EQ(form.Mode, GameMode::SelectLevel);
    EXPECT_EQ(Stroke(VkReturn), c.Refused ? "Level file far.vel is damaged" : "")
        << c.StartX << " " << c.ObjectX;
    if (c.Refused) {
      EXPECT_EQ(form.Mode, GameMode::SelectLevel);
      Stroke(VkEscape);
      continue;
    }
    ASSERT_EQ(form.Mode, GameMode::game);
    EXPECT_EQ(form.Level.RunnerX, c.StartX);
    EXPECT_GE(form.Level.CameraX, 0);
    EXPECT_LE(form.Level.CameraX, CameraMaxX);
    form.KeyDown(VkRight);
    EXPECT_EQ(TickShown(), "");
    form.KeyUp(VkRight);
    const bool startInWorld = c.StartX == 100;
    EXPECT_EQ(form.Mode, startInWorld ? GameMode::game : GameMode::GameMenu);
    if (!startInWorld) {
      EXPECT_EQ(form.Level.RunnerX, RunnerHomeX);
    }
    for (int i = 0; i < 3 && form.Mode != GameMode::MainMenu; ++i) Stroke(VkEscape);
    ASSERT_EQ(form.Mode, GameMode::MainMenu);
    ASSERT_FALSE(form.Closed);
  }
}

}  // namespace
}  // namespace tobu::testing
