#pragma once
// Child processes and an X server of a test's own, for tests that run the real window.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace tobu::testing {

namespace fs = std::filesystem;

inline bool HaveProgram(const char* name) {
  return std::system(("command -v " + std::string(name) + " > /dev/null 2>&1").c_str()) == 0;
}

// Starts a program in the background; the child's working directory and display are set.
inline pid_t Spawn(const std::vector<std::string>& arguments, const fs::path& directory,
                   const std::string& display) {
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
inline int WaitForExit(pid_t pid, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < end);
  return -1;
}

inline void Stop(pid_t pid) {
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// An X server of its own, on a display number nobody uses.
// Whether display `number` belongs to a server that still runs. A server killed without
// a chance to clean up leaves its lock and socket behind; those are taken away, so that
// stale files from earlier runs never use up the numbers.
inline bool DisplayInUse(int number) {
  const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
  const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
  std::ifstream in(lock);
  pid_t owner = 0;
  if (in >> owner && owner > 0 && (kill(owner, 0) == 0 || errno == EPERM)) return true;
  if (!in.is_open() && fs::exists(socket)) return true;  // a socket with no lock: not ours to judge
  std::error_code error;
  fs::remove(lock, error);
  fs::remove(socket, error);
  return false;
}

class VirtualScreen {
 public:
  explicit VirtualScreen(const std::string& size = "800x600") {
    for (int number = 90 + getpid() % 50; number < 200 && pid_ <= 0; ++number) {
      const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
      if (DisplayInUse(number)) continue;
      display_ = std::string(":").append(std::to_string(number));
      pid_ = Spawn({"Xvfb", display_, "-screen", "0", size + "x24", "-nolisten", "tcp"}, {}, {});
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

}  // namespace tobu::testing
