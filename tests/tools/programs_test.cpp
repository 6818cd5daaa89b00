// The built programs run as a player (or a script) would run them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/temp_dir.h"
#include "support/x_session.h"
#include "world/level_file.h"

namespace tobu {
namespace {

namespace fs = std::filesystem;
using testing::HaveProgram;
using testing::ReadText;
using testing::Spawn;
using testing::Stop;
using testing::VirtualScreen;
using testing::WaitForExit;

void WriteText(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

// Runs `tobu-script [arguments] < input` in `directory`; the exit status, with the
// output and error text in `out` and `err`.
int RunScript(const fs::path& directory, const std::string& arguments, const fs::path& input,
              std::string& out, std::string& err) {
  const testing::TempDir outputs;
  const std::string command = "cd '" + directory.string() + "' && '" TOBU_SCRIPT_PATH "' " + arguments +
                              " < '" + input.string() + "' > '" + outputs.File("out") + "' 2> '" +
                              outputs.File("err") + "'";
  const int status = std::system(command.c_str());
  out = ReadText(outputs.File("out"));
  err = ReadText(outputs.File("err"));
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// From an empty directory: a level built and saved in the editor is found in the level
// list and played to the finish, its best time written into its file.
TEST(TobuScriptProgram, EditorSessionBuildsSavesAndPlaysALevel) {
  const testing::TempDir work;
  const fs::path scripts = fs::path(TOBU_SOURCE_DIR) / "tests" / "scripts";
  std::string out, err;
  ASSERT_EQ(RunScript(work.Path(), "", scripts / "editor_session.script", out, err), 0) << err;
  EXPECT_EQ(out, ReadText(scripts / "editor_session.expected"));
  // The level: grid, count, two objects, the start, then the table of one entry "Eda".
  EXPECT_EQ(fs::file_size(work.Path() / "mine.vel"), 10213u + 2 * 9 + 1 + 1 + 3 + 4);
}

// The designer's tools: a stroke undone, an object undone and redone, a play-test
// that writes nothing, a save, and Tab finding the saved name in the Open prompt.
TEST(TobuScriptProgram, EditorToolsSessionUndoesPlayTestsAndSaves) {
  const testing::TempDir work;
  const fs::path scripts = fs::path(TOBU_SOURCE_DIR) / "tests" / "scripts";
  std::string out, err;
  ASSERT_EQ(RunScript(work.Path(), "", scripts / "editor_tools.script", out, err), 0) << err;
  EXPECT_EQ(out, ReadText(scripts / "editor_tools.expected"));
  // The grid, one exit and the start: the undone stroke is not in it, nor a best time.
  World level;
  LoadLevel((work.Path() / "runway.vel").string(), level);
  EXPECT_EQ(fs::file_size(work.Path() / "runway.vel"), 10213u + 9);
  for (int column = 0; column < GridSize; ++column) {
    EXPECT_EQ(level.Cell(column, 12), column <= 15 ? TileGrass : TileEmpty) << column;
    EXPECT_EQ(level.Cell(column, 6), TileEmpty) << column;
  }
  EXPECT_EQ(level.ObjectList, (std::vector<LevelObject>{{ObjectExit, 480, 332}}));
}

// Plus in the editor, each question answered yes, no and cancel (or Escape): a file changes
// only after a yes, and an unsaved level outlives every no and cancel; a failed open or save
// says so and saves nothing; a play-test ends on a card. Beside a shipped level and a folder
// where a level file could be.
TEST(TobuScriptProgram, PlusEditorAsksBeforeWorkIsLost) {
  const fs::path source = fs::path(TOBU_SOURCE_DIR);
  for (const std::string name :
       {"plus_editor_save_over", "plus_editor_save_changes", "plus_editor_failures"}) {
    SCOPED_TRACE(name);
    const testing::TempDir work;
    fs::create_directories(work.Path() / "Levels" / "in-the-way.vel");
    fs::copy_file(source / "Levels" / "01-first-steps.vel", work.Path() / "Levels" / "01-first-steps.vel");
    std::string out, err;
    ASSERT_EQ(RunScript(work.Path(), "", source / "tests" / "scripts" / (name + ".script"), out, err), 0)
        << err;
    EXPECT_EQ(out, ReadText(source / "tests" / "scripts" / (name + ".expected")));
  }
}

// Plus's menus under the mouse, beside two shipped levels.
TEST(TobuScriptProgram, PlusMenusFollowTheMouse) {
  const fs::path source = fs::path(TOBU_SOURCE_DIR);
  const testing::TempDir work;
  fs::create_directories(work.Path() / "Levels");
  for (const char* level : {"01-first-steps.vel", "02-ledge-food.vel"})
    fs::copy_file(source / "Levels" / level, work.Path() / "Levels" / level);
  std::string out, err;
  const fs::path script = source / "tests" / "scripts" / "plus_menu_mouse.script";
  ASSERT_EQ(RunScript(work.Path(), "", script, out, err), 0) << err;
  EXPECT_EQ(out, ReadText(source / "tests" / "scripts" / "plus_menu_mouse.expected"));
}

TEST(TobuScriptProgram, FirstStartThenEscapeWritesNothing) {
  const testing::TempDir work;
  const testing::TempDir scripts;
  WriteText(scripts.File("first.txt"), "tick 3\nstate\npress Escape\nstate\n");
  std::string out, err;
  ASSERT_EQ(RunScript(work.Path(), "", scripts.File("first.txt"), out, err), 0) << err;
  std::istringstream lines(out);
  std::string state, closed, rest;
  std::getline(lines, state);
  std::getline(lines, closed);
  EXPECT_EQ(state.rfind("mode=SelectPlayer cursor=0 ", 0), 0u) << state;
  EXPECT_NE(state.find(" players=0 "), std::string::npos) << state;
  EXPECT_EQ(closed, "closed");
  EXPECT_FALSE(std::getline(lines, rest)) << "nothing after closed: " << rest;
  EXPECT_TRUE(fs::is_empty(work.Path()));
}

TEST(TobuScriptProgram, ScriptFileOnTheCommandLine) {
  const testing::TempDir work;
  const testing::TempDir scripts;
  WriteText(scripts.File("s.txt"), "tick\nstate\n");
  WriteText(scripts.File("empty.txt"), "");
  std::string out, err;
  ASSERT_EQ(RunScript(work.Path(), "'" + scripts.File("s.txt") + "'", scripts.File("empty.txt"), out, err), 0)
      << err;
  EXPECT_EQ(out.rfind("mode=SelectPlayer", 0), 0u) << out;
}

TEST(TobuScriptProgram, UnparseableLineExitsTwoNamingTheLine) {
  const testing::TempDir work;
  const testing::TempDir scripts;
  WriteText(scripts.File("bad.txt"), "tick 2\n# fine\npress Escpe\nstate\n");
  std::string out, err;
  EXPECT_EQ(RunScript(work.Path(), "", scripts.File("bad.txt"), out, err), 2);
  EXPECT_NE(err.find("line 3"), std::string::npos) << err;
  EXPECT_EQ(out, "");
  EXPECT_EQ(
      RunScript(work.Path(), "'" + scripts.File("missing.txt") + "'", scripts.File("bad.txt"), out, err), 2);
}

// While one script plays on a folder, a second one there says so, ends with status 1 and
// writes nothing; once the first has ended, or been killed (the kernel lets its lock go),
// a script plays there again. A clean end leaves no lock file.
TEST(TobuScriptProgram, SecondScriptOnAFolderInUseWritesNothing) {
  const testing::TempDir work;
  const testing::TempDir pipes;
  const std::string input = pipes.File("input");
  const std::string output = pipes.File("output");
  ASSERT_EQ(mkfifo(input.c_str(), 0600), 0);
  WriteText(pipes.File("cat.txt"), "press Return\ntype Cat\npress Return\nstate\n");
  std::string out, err;
  for (const bool killed : {false, true}) {
    SCOPED_TRACE(killed ? "killed" : "ended");
    fs::remove(output);  // the first holder's state line
    const pid_t holder = Spawn(
        {"sh", "-c", "exec '" TOBU_SCRIPT_PATH "' < '" + input + "' > '" + output + "'"}, work.Path(), "");
    ASSERT_GT(holder, 0);
    const int script = open(input.c_str(), O_WRONLY);
    ASSERT_GE(script, 0);
    ASSERT_EQ(write(script, "state\n", 6), 6);
    // The lock is taken before the first line is read: once the state line is out, it is held.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (ReadText(output).find("mode=SelectPlayer") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(RunScript(work.Path(), "", pipes.File("cat.txt"), out, err), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "tobu-script: tobu is already running in this folder\n");
    EXPECT_FALSE(fs::exists(work.Path() / "Players.dat"));
    if (killed) kill(holder, SIGKILL);
    close(script);
    EXPECT_EQ(WaitForExit(holder, 60), killed ? 128 + SIGKILL : 0);
    EXPECT_EQ(fs::exists(work.Path() / "tobu.lock"), killed);
  }
  ASSERT_EQ(RunScript(work.Path(), "", pipes.File("cat.txt"), out, err), 0) << err;
  EXPECT_NE(out.find(" player=Cat players=1 "), std::string::npos) << out;
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(work.Path()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"Players.dat"});
}

// A game killed in the middle of a write leaves its temporary file behind; the next start
// removes exactly those, in the game's folders, and nothing that only looks like one.
TEST(TobuScriptProgram, StartRemovesTheTemporariesKilledGamesLeft) {
  const testing::TempDir work;
  const testing::TempDir scripts;
  struct Left {
    const char* Name;
    bool Removed;
  };
  const Left files[] = {
      {".Players.dat.a1B2c3", true},       {".tobu.ini.ZZZZZZ", true},
      {".mine.vel.q9W8e7", true},          {"Levels/.01-first-steps.vel.Q9w8E7", true},
      {"Replays/.last.tbr.000000", true},  {"Screenshots/.tobu-20260101-000000.png.abcdef", true},
      {".Players.dat.a1B2c", false},       {".Players.dat.a1B2c3d", false},
      {".Players.dat.a1-2c3", false},      {"Players.dat.a1B2c3", false},
      {".notes.txt.abcdef", false},        {"Levels/.notes.txt.abcdef", false},
      {"Replays/.mine.vel.abcdef", false}, {"Other/.mine.vel.abcdef", false},
  };
  for (const char* folder : {"Levels", "Replays", "Screenshots", "Other"})
    fs::create_directory(work.Path() / folder);
  for (const Left& file : files) WriteText(work.Path() / file.Name, "x");
  fs::create_symlink("../Other/.mine.vel.abcdef", work.Path() / "Levels" / ".link.vel.abcdef");
  WriteText(scripts.File("s.txt"), "tick\n");
  std::string out, err;
  ASSERT_EQ(RunScript(work.Path(), "", scripts.File("s.txt"), out, err), 0) << err;
  for (const Left& file : files) EXPECT_EQ(fs::exists(work.Path() / file.Name), !file.Removed) << file.Name;
  EXPECT_TRUE(fs::is_symlink(work.Path() / "Levels" / ".link.vel.abcdef"));
}

// Players.dat linked to itself is a roster that cannot be opened: the message, and the
// game goes on (it used to end with an uncaught file-system exception).
TEST(TobuScriptProgram, PlayersDatLinkedToItself) {
  const testing::TempDir work;
  const testing::TempDir scripts;
  fs::create_symlink("Players.dat", work.Path() / "Players.dat");
  WriteText(scripts.File("s.txt"), "press Return\ntype Ann\npress Return\nstate\n");
  std::string out, err;
  ASSERT_EQ(RunScript(work.Path(), "", scripts.File("s.txt"), out, err), 0) << err;
  EXPECT_EQ(out.substr(0, out.find("mode=")),
            "error: Cannot open file Players.dat\nerror: Cannot create file Players.dat\n"
            "error: Cannot open directory Levels\n");
  EXPECT_NE(out.find("mode=MainMenu "), std::string::npos) << out;
  EXPECT_EQ(err, "");
}

#ifdef TOBU_GAME_PATH
TEST(TobuGameWindow, OpensUnderXvfbAndClosesOnEscape) {
  if (!HaveProgram("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  const VirtualScreen screen;
  ASSERT_TRUE(screen.Running()) << "could not start Xvfb";
  const testing::TempDir work;
  const pid_t game = Spawn({TOBU_GAME_PATH}, work.Path(), screen.Display());
  ASSERT_GT(game, 0);
  EXPECT_EQ(WaitForExit(game, 1.5), -1) << "the game ended on its own";
  const bool haveXdotool = HaveProgram("xdotool");
  if (haveXdotool) {
    const std::string keys =
        "DISPLAY=" + screen.Display() +
        " timeout 10 xdotool search --sync --name '^tobu$' windowfocus --sync key Escape > /dev/null 2>&1";
    EXPECT_EQ(std::system(keys.c_str()), 0);
  } else {
    kill(game, SIGTERM);  // SDL turns it into a quit request
  }
  const int status = WaitForExit(game, 10);
  if (status == -1) Stop(game);
  EXPECT_EQ(status, 0) << (haveXdotool ? "Escape did not close the game" : "SIGTERM did not end the game");
  EXPECT_TRUE(fs::is_empty(work.Path())) << "the game wrote a file";
}

// Stretches of sound in 16-bit stereo audio as SDL's disk driver writes it: start and
// end in seconds, gaps of silence shorter than `bridge` seconds joined.
std::vector<std::pair<double, double>> SoundStretches(const std::string& bytes, double bridge) {
  constexpr size_t frameBytes = 4;
  constexpr size_t blockFrames = 441;  // 10 ms
  std::vector<std::pair<double, double>> stretches;
  for (size_t block = 0; (block + 1) * blockFrames * frameBytes <= bytes.size(); ++block) {
    bool heard = false;
    for (size_t i = 0; i < blockFrames * 2 && !heard; ++i) {
      const size_t at = block * blockFrames * frameBytes + 2 * i;
      heard = static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) |
                                   (static_cast<uint8_t>(bytes[at + 1]) << 8)) != 0;
    }
    if (!heard) continue;
    const double start = static_cast<double>(block) / 100.0;
    if (!stretches.empty() && start - stretches.back().second < bridge) {
      stretches.back().second = start + 0.01;
    } else {
      stretches.emplace_back(start, start + 0.01);
    }
  }
  return stretches;
}

// The real window with SDL's disk audio driver: a new player, a level started, a jump,
// then a long pause, and Escape back out. The audio is silent before the first key and
// in the pause, and not silent after the keys.
TEST(TobuGameWindow, SoundsFollowTheEventsOnTheDiskAudioDriver) {
  if (!HaveProgram("Xvfb") || !HaveProgram("xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
  const VirtualScreen screen;
  ASSERT_TRUE(screen.Running()) << "could not start Xvfb";
  const testing::TempDir work;
  fs::create_directory(work.Path() / "Levels");
  fs::copy_file(fs::path(TOBU_SOURCE_DIR) / "Levels" / "01-first-steps.vel",
                work.Path() / "Levels" / "a.vel");
  std::ofstream(work.File("tobu.ini")) << "music = 0\n";  // the effects alone, around silence
  const std::string audioFile = work.File("audio.raw");
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", audioFile.c_str(), 1);
  const pid_t game = Spawn({TOBU_GAME_PATH}, work.Path(), screen.Display());
  unsetenv("SDL_AUDIODRIVER");
  unsetenv("SDL_DISKAUDIOFILE");
  ASSERT_GT(game, 0);
  const std::string xdotool = "DISPLAY=" + screen.Display() + " timeout 20 xdotool ";
  const std::string session =
      xdotool + "search --sync --name '^tobu$' windowfocus --sync > /dev/null 2>&1 && sleep 1 && " + xdotool +
      "key --delay 150 Return a Return Return Return space && sleep 2 && " + xdotool +
      "key --delay 150 Escape Escape Escape Escape";
  EXPECT_EQ(std::system(session.c_str()), 0);
  const int status = WaitForExit(game, 10);
  if (status == -1) Stop(game);
  EXPECT_EQ(status, 0);
  const std::vector<std::pair<double, double>> stretches = SoundStretches(ReadText(audioFile), 0.5);
  // A busy machine may deliver the keys late and unevenly, so what is checked is what
  // cannot move: nothing heard before the first key, a long silence in the pause, and the
  // sounds of the keys before it and of the Escapes after it.
  ASSERT_GE(stretches.size(), 2u) << "expected the keys of the start and the Escapes, heard apart";
  // The first key comes a second after the window; a busy machine may open the audio
  // device late in that second, so half of it is the margin.
  EXPECT_GE(stretches[0].first, 0.5) << "sound before the first key";
  double longestSilence = 0, heard = 0;
  for (size_t i = 0; i < stretches.size(); ++i) {
    heard += stretches[i].second - stretches[i].first;
    if (i > 0) longestSilence = std::max(longestSilence, stretches[i].first - stretches[i - 1].second);
  }
  EXPECT_GE(longestSilence, 1.0) << "sound in the pause";
  EXPECT_GE(heard, 0.6) << "the keys' sounds";
}

// --replay plays the record in the window and the game ends with it; a damaged file ends
// it at once with status 1. Neither writes a file.
TEST(TobuGameWindow, ReplayPlaysToItsEndAndCloses) {
  if (!HaveProgram("Xvfb") || !HaveProgram("xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
  const VirtualScreen screen;
  ASSERT_TRUE(screen.Running()) << "could not start Xvfb";
  const testing::TempDir work;
  fs::copy(fs::path(TOBU_SOURCE_DIR) / "Levels", work.Path() / "Levels");
  const std::string record =
      (fs::path(TOBU_SOURCE_DIR) / "tests" / "replays" / "01-first-steps.tbr").string();
  testing::WriteBytes(work.Path() / "damaged.tbr", {'T', 'B', 'R', 'P'});
  const pid_t refused = Spawn({TOBU_GAME_PATH, "--replay", "damaged.tbr"}, work.Path(), screen.Display());
  EXPECT_EQ(WaitForExit(refused, 10), 1);
  fs::remove(work.Path() / "damaged.tbr");

  const pid_t game = Spawn({TOBU_GAME_PATH, "--replay", record}, work.Path(), screen.Display());
  ASSERT_GT(game, 0);
  // Ticks run while the window has the input focus: 557 of them, under six seconds.
  const std::string focus =
      "DISPLAY=" + screen.Display() +
      " timeout 10 xdotool search --sync --name '^tobu$' windowfocus --sync > /dev/null 2>&1";
  EXPECT_EQ(std::system(focus.c_str()), 0);
  const int status = WaitForExit(game, 60);
  if (status == -1) Stop(game);
  EXPECT_EQ(status, 0) << "the game did not end with the replay";
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(work.Path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"Levels"});
}
#endif

}  // namespace
}  // namespace tobu
