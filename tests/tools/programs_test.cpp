// The built programs run as a player (or a script) would run them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/temp_dir.h"

namespace tobu {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

// Runs `tobu-script [arguments] < input` in `directory`; the exit status, with the
// output and error text in `out` and `err`.
int RunScript(const fs::path& directory, const std::string& arguments, const fs::path& input, std::string& out,
              std::string& err) {
  const testing::TempDir outputs;
  const std::string command = "cd '" + directory.string() + "' && '" TOBU_SCRIPT_PATH "' " + arguments + " < '" +
                              input.string() + "' > '" + outputs.File("out") + "' 2> '" + outputs.File("err") + "'";
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
  ASSERT_EQ(RunScript(work.Path(), "'" + scripts.File("s.txt") + "'", scripts.File("empty.txt"), out, err), 0) << err;
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
  EXPECT_EQ(RunScript(work.Path(), "'" + scripts.File("missing.txt") + "'", scripts.File("bad.txt"), out, err), 2);
}

#ifdef TOBU_GAME_PATH
bool HaveProgram(const char* name) {
  return std::system(("command -v " + std::string(name) + " > /dev/null 2>&1").c_str()) == 0;
}

// Starts a program in the background; the child's working directory and display are set.
pid_t Spawn(const std::vector<std::string>& arguments, const fs::path& directory, const std::string& display) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (!directory.empty() && chdir(directory.c_str()) != 0) _exit(126);
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
  unsetenv("SDL_VIDEODRIVER");  // the test suite's dummy driver is not for the real window
  // The X and SDL libraries keep some memory to the end; leaks of the game's own code
  // are the in-process tests' business.
  setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

// Waits up to `seconds` for the child to end; its exit status, or -1 if it still runs.
int WaitForExit(pid_t pid, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < end);
  return -1;
}

void Stop(pid_t pid) {
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// An X server of its own, on a display number nobody uses.
class VirtualScreen {
public:
  VirtualScreen() {
    for (int number = 90 + getpid() % 50; number < 200 && pid_ <= 0; ++number) {
      const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
      if (fs::exists(socket) || fs::exists("/tmp/.X" + std::to_string(number) + "-lock")) continue;
      display_ = ":" + std::to_string(number);
      pid_ = Spawn({"Xvfb", display_, "-screen", "0", "800x600x24", "-nolisten", "tcp"}, {}, {});
      for (int i = 0; i < 250 && !fs::exists(socket); ++i) {
        if (WaitForExit(pid_, 0.02) != -1) {  // that number was taken after all
          pid_ = -1;
          break;
        }
      }
      if (pid_ > 0 && !fs::exists(socket)) {
        Stop(pid_);
        pid_ = -1;
      }
    }
  }
  ~VirtualScreen() {
    if (pid_ > 0) Stop(pid_);
  }
  bool Running() const { return pid_ > 0; }
  const std::string& Display() const { return display_; }

private:
  pid_t pid_ = -1;
  std::string display_;
};

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
    const std::string keys = "DISPLAY=" + screen.Display() +
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
