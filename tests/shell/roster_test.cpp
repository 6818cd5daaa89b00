#include <gtest/gtest.h>

#include "shell/known_name.h"
#include "support/game_fixture.h"

namespace tobu::testing {
namespace {

using Bytes = std::vector<uint8_t>;

const Bytes AnnAndBoChosenBo = {2, 3, 'A', 'n', 'n', 2, 'B', 'o', 2, 0, 0, 0};

TEST(RosterFile, AnnAndBoIsTwelveBytes) {
  TempDir dir;
  PlayerRoster roster;
  roster.PlayerCount = 2;
  roster.PlayerNames[1] = "Ann";
  roster.PlayerNames[2] = "Bo";
  WriteRoster(dir.File("Players.dat"), roster, 2);
  EXPECT_EQ(ReadBytes(dir.File("Players.dat")), AnnAndBoChosenBo);
  const StoredRoster back = ReadRoster(dir.File("Players.dat"));
  EXPECT_EQ(back.Roster.PlayerCount, 2);
  EXPECT_EQ(back.Roster.PlayerNames[1], "Ann");
  EXPECT_EQ(back.Roster.PlayerNames[2], "Bo");
  EXPECT_EQ(back.LastIndex, 2);
}

TEST(RosterFile, DamagedFilesKeepWhatCanBeRead) {
  Bytes many = {255};
  for (int i = 0; i < 255; ++i) many.insert(many.end(), {1, static_cast<uint8_t>('a' + i % 26)});
  many.insert(many.end(), {3, 0, 0, 0});
  const struct {
    const char* what;
    Bytes bytes;
    int count;
    std::string lastName;
    int32_t index;
  } cases[] = {
      {"empty file", {}, 0, "", 0},
      {"index cut to one byte", {2, 3, 'A', 'n', 'n', 2, 'B', 'o', 2}, 2, "Bo", 2},
      {"no index", {2, 3, 'A', 'n', 'n', 2, 'B', 'o'}, 2, "Bo", 0},
      {"name cut short", {2, 3, 'A', 'n', 'n', 5, 'B', 'o'}, 1, "Ann", 0},
      {"index above count", {1, 1, 'X', 9, 0, 0, 0}, 1, "X", 0},
      {"negative index", {1, 1, 'X', 0xFF, 0xFF, 0xFF, 0xFF}, 1, "X", 0},
      {"long name cut to 8", {1, 10, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 1, 0, 0, 0}, 1, "abcdefgh", 1},
      {"255 names keep 14", many, 14, "n", 3},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteBytes(dir.File("Players.dat"), c.bytes);
    const StoredRoster r = ReadRoster(dir.File("Players.dat"));
    EXPECT_EQ(r.Roster.PlayerCount, c.count) << c.what;
    if (c.count > 0) {
      EXPECT_EQ(r.Roster.PlayerNames[c.count], c.lastName) << c.what;
    }
    EXPECT_EQ(r.LastIndex, c.index) << c.what;
  }
}

class Roster : public GameFixture {};

TEST_F(Roster, TypingFiltersTheName) {
  const struct {
    std::string typed;
    std::string name;
  } cases[] = {
      {"ab cd", "abcd"},
      {"abcdefghij", "abcdefgh"},
      {"a{|}~b", "ab"},
      {"x\x08\x08\x08y", "y"},
      {"!z", "!z"},
  };
  form.Start();
  Press(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::CreateNewPlayer);
  EXPECT_EQ(form.Players.PlayerCount, 0);  // the Enter that opened the screen created nobody
  for (const auto& c : cases) {
    form.Players.PlayerName.clear();
    Type(c.typed);
    EXPECT_EQ(form.Players.PlayerName, c.name) << c.typed;
  }
}

TEST_F(Roster, CreatingPlayersWritesTheRosterAndEntersLevels) {
  StartAsNewPlayer("Ann");
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  EXPECT_EQ(form.Players.PlayerName, "Ann");
  EXPECT_EQ(std::filesystem::current_path(), dir.Path() / "Levels");
  std::filesystem::current_path(dir.Path());
  // Two more players; the third is remembered as the one created last.
  for (const char* name : {"Bo", "Cy"}) {
    Game again(display);
    again.Start();
    again.MenuCursor = 0;
    again.KeyDown(VkReturn);
    for (const char* c = name; *c; ++c) again.KeyPress(static_cast<uint8_t>(*c));
    again.KeyPress(13);
    std::filesystem::current_path(dir.Path());
  }
  const Bytes bytes = ReadBytes(dir.File("Players.dat"));
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), (Bytes{3, 0, 0, 0}));
  Game next(display);
  next.Start();
  EXPECT_EQ(next.MenuCursor, 3);
  EXPECT_EQ(next.Players.PlayerCount, 3);
}

TEST_F(Roster, ChoosingPlayerTwoOfThree) {
  PlayerRoster roster;
  roster.PlayerCount = 3;
  roster.PlayerNames[1] = "Ann";
  roster.PlayerNames[2] = "Bo";
  roster.PlayerNames[3] = "Cy";
  WriteRoster("Players.dat", roster, 3);
  form.Start();
  EXPECT_EQ(form.MenuCursor, 3);
  Press(VkDown);
  EXPECT_EQ(form.MenuCursor, 3);  // nothing below the last player
  Press(VkUp);
  Press(VkReturn);
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  EXPECT_EQ(form.Players.PlayerName, "Bo");
  EXPECT_EQ(form.MenuCursor, 0);
  const Bytes bytes = ReadBytes(dir.File("Players.dat"));
  EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), (Bytes{2, 0, 0, 0}));
}

TEST_F(Roster, FourteenPlayersAreTheMost) {
  PlayerRoster roster;
  roster.PlayerCount = 14;
  for (int i = 1; i <= 14; ++i) roster.PlayerNames[i] = "p" + std::to_string(i);
  WriteRoster("Players.dat", roster, 0);
  form.Start();
  Press(VkUp);
  EXPECT_EQ(form.MenuCursor, 0);
  Press(VkReturn);
  EXPECT_EQ(form.Mode, GameMode::SelectPlayer);
}

TEST_F(Roster, EscapeOnTheNameScreenWritesNothing) {
  form.Start();
  Press(VkReturn);
  Type("Zed");
  form.KeyDown(VkEscape);
  EXPECT_TRUE(form.Closed);
  EXPECT_FALSE(std::filesystem::exists("Players.dat"));
}

// Plus with no player to go back to: Escape on the name asks; the N answering types nothing.
TEST_F(Roster, PlusEscapeOnTheFirstNameAsksAndItsAnswerTypesNothing) {
  form.Plus = true;
  form.Start();
  Press(VkReturn);
  Type("Bo");
  Press(VkEscape);
  EXPECT_EQ(form.OpenQuestion ? form.OpenQuestion->Text : "", "Quit tobu?");
  Press('N');
  EXPECT_EQ(form.Players.PlayerName, "Bo");
}

TEST_F(Roster, SelectPlayerScreenLayout) {
  PlayerRoster roster;
  roster.PlayerCount = 2;
  roster.PlayerNames[1] = "Ann";
  roster.PlayerNames[2] = "Bo";
  WriteRoster("Players.dat", roster, 2);
  form.Start();
  Tick();
  EXPECT_EQ(display.CountSheet(SheetFon), 176);
  EXPECT_EQ(display.InkOnLine(40), "ChoosePlayer");
  EXPECT_EQ(display.InkOnLine(90), "CreateNewPlayer");
  EXPECT_EQ(display.InkOnLine(114), "Ann");
  EXPECT_EQ(display.InkOnLine(138), "Bo");
  const auto& helmet = display.Calls[display.FirstIndexOf(SheetHelmet)];
  EXPECT_EQ(helmet.X, 164);
  EXPECT_EQ(helmet.Y, 80 + 24 * 2);
}

// Plus's new-name field names a player only for a player's exact name.
TEST(KnownPlayerHint, OnlyAPlayersExactName) {
  const PlayerRoster roster{1, {"", "Ann"}, ""};
  for (const auto& [typed, said] : {std::pair{"Ann", true}, {"An", false}, {"ann", false}, {"", false}})
    EXPECT_EQ(!KnownPlayerHint(roster, typed).empty(), said) << typed;
}

TEST_F(Roster, MissingLevelsFolderStillReachesTheMainMenu) {
  std::filesystem::remove("Levels");
  MakeLevel("here.vel", {}, ".");
  form.Start();
  Press(VkReturn);
  Type("Ann");
  EXPECT_THROW(form.KeyPress(13), FileError);
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  EXPECT_EQ(form.LevelFiles.Items, std::vector<std::string>{"here.vel"});
  EXPECT_TRUE(std::filesystem::exists("Players.dat"));
}

} // namespace
} // namespace tobu::testing
