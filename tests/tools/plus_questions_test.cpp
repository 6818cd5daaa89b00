// Every plus question answered every way through tobu-script: the state lines against
// one golden file, and the level's bytes and the roster, which change only when the
// player said yes (or gave a new name with Return).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell/roster.h"
#include "support/temp_dir.h"
#include "world/file_io.h"
#include "world/level_file.h"

namespace tobu {
namespace {

namespace fs = std::filesystem;

struct QuestionCase {
  const char* Name;
  const char* Keys;  // after a new player "Ann" reached the main menu with plus on
  bool LevelErased;
  const char* Roster = "Ann/1";  // Players.dat afterwards: the names, then the last index
};

// Ann on the player list, and with Bo, who is chosen and highlighted.
#define TO_ANN "press Down\npress Down\npress Return\n"
#define TO_ANN_AND_BO TO_ANN "press Up\npress Return\ntype Bo\npress Return\n" TO_ANN

const QuestionCase Cases[] = {
    {"EraseYes", "press Return\npress Delete\nstate\npress Y\n", true},
    {"EraseNo", "press Return\npress Delete\npress N\n", false},
    {"EraseEscape", "press Return\npress Delete\npress Escape\n", false},
    {"EraseReturnIsNo", "press Return\npress Delete\npress Return\n", false},
    {"EraseLeftReturnIsYes", "press Return\npress Delete\npress Left\npress Return\n", true},
    {"QuitYes", "press Escape\nstate\npress Y\n", false},
    {"QuitNo", "press Escape\npress N\n", false},
    {"QuitEscape", "press Escape\npress Escape\n", false},
    {"QuitReturnIsNo", "press Escape\npress Return\n", false},
    {"QuitLeftReturnIsYes", "press Escape\npress Left\npress Return\n", false},
    // Back to the players and in again: the roster is written where the game started and
    // Levels is entered again.
    {"PlayersAndBack", "press Down\npress Down\npress Return\nstate\npress Return\npress Return\n", false},
    // From the main menu, Escape on the list goes back to it with the same player, in Levels.
    {"PlayersEscapeGoesBack",
     "press Down\npress Down\npress Return\npress Escape\nstate\npress Up\npress Up\npress Return\npress "
     "Return\n",
     false},
    // With a player to go back to, Escape on a new name goes back to the list, asking nothing.
    {"NewPlayerEscapeGoesBackToThePlayers",
     "press Down\npress Down\npress Return\npress Up\npress Return\ntype Bo\npress Escape\nstate\n"
     "press Down\npress Return\n",
     false},
    // The rest keep their order and the chosen one their place in the file's last field.
    {"DeletePlayerYes", TO_ANN_AND_BO "press Up\npress Delete\nstate\npress Y\n", false, "Bo/1"},
    // None is chosen then, as at the start with no roster: Escape on a new name asks.
    {"DeleteCurrentPlayerYes", TO_ANN "press Delete\npress Y\npress Return\npress Escape\n", false, "/0"},
    {"DeletePlayerEscapeIsNo", TO_ANN "press Delete\npress Escape\n", false},
    {"RenameReturn", TO_ANN "press F4\npress Back\ntype x\npress Return\n", false, "Anx/1"},
    {"RenameEscape", TO_ANN "press F4\ntype x\npress Escape\n", false},
    {"RenameToAnotherPlayersName",
     TO_ANN_AND_BO "press F4\npress Back\npress Back\ntype Ann\npress Return\nstate\npress Escape\n", false,
     "Ann Bo/2"},
    {"RenameLeftWhenPlusGoesOff", TO_ANN "press F4\ntype x\npress F3\npress Escape\n", false},
};

// The names in the roster file, then its last index: "Ann Bo/2".
std::string RosterText(const std::string& file) {
  const StoredRoster stored = ReadRoster(file);
  std::string text;
  for (int i = 1; i <= stored.Roster.PlayerCount; ++i)
    text += (i > 1 ? " " : "") + stored.Roster.PlayerNames[i];
  return text + "/" + std::to_string(stored.LastIndex);
}

// Runs the case's script in a fresh folder whose first level holds a table of Ann's
// time; returns the output, and whether that level's bytes changed.
std::string RunCase(const QuestionCase& question, bool& levelChanged) {
  const testing::TempDir work;
  const fs::path levels = fs::path(work.Path()) / "Levels";
  fs::create_directory(levels);
  fs::copy_file(fs::path(TOBU_SOURCE_DIR) / "Levels" / "02-ledge-food.vel", levels / "02-ledge-food.vel");
  std::vector<uint8_t> level = ReadWholeFile(std::string(TOBU_SOURCE_DIR) + "/Levels/01-first-steps.vel");
  BestTimes times;
  times.BestNames[1] = "Ann";
  times.BestTime[1] = 1234;
  level = WithBestTimes(level, static_cast<int32_t>(level.size()), times, "01-first-steps.vel");
  ReplaceFile((levels / "01-first-steps.vel").string(), level);
  std::ofstream(work.File("script")) << "plus on\npress Return\ntype Ann\npress Return\n"
                                     << question.Keys << "state\n";
  const std::string command = "cd '" + work.Path().string() + "' && '" TOBU_SCRIPT_PATH "' script > out 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << question.Name;
  levelChanged = ReadWholeFile((levels / "01-first-steps.vel").string()) != level;
  EXPECT_FALSE(fs::exists(levels / "Players.dat")) << question.Name;
  EXPECT_EQ(RosterText(work.File("Players.dat")), question.Roster) << question.Name;
  return testing::ReadText(work.File("out"));
}

TEST(PlusQuestions, EachAnswerChangesTheFilesOnlyWhenConfirmed) {
  std::string all;
  for (const QuestionCase& question : Cases) {
    bool levelChanged = false;
    all += std::string("# ") + question.Name + "\n" + RunCase(question, levelChanged);
    EXPECT_EQ(levelChanged, question.LevelErased) << question.Name;
  }
  const fs::path golden = fs::path(TOBU_SOURCE_DIR) / "tests" / "scripts" / "plus_questions.expected";
  // TOBU_WRITE_FRAMES=1 writes the golden afresh after a deliberate change, as for the pictures.
  if (std::getenv("TOBU_WRITE_FRAMES") != nullptr) std::ofstream(golden) << all;
  EXPECT_EQ(all, testing::ReadText(golden));
}

}  // namespace
}  // namespace tobu
