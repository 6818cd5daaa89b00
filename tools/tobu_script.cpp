// tobu-script: runs the game headless in the working directory from an input script
// (a file named on the command line, or standard input). See docs/reference.md for the commands.
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "session/left_temporaries.h"
#include "tools/script_runner.h"
#include "world/folder_lock.h"
#ifdef TOBU_HAVE_PLATFORM
#include "platform/ttf_canvas_font.h"
#endif

int main(int argc, char** argv) {
  // "tobu-script replay FILE" is the one-line script "replay FILE"; the same for verify.
  const bool replay = argc == 3 && (std::string(argv[1]) == "replay" || std::string(argv[1]) == "verify");
  if (argc > 2 && !replay) {
    std::cerr << "usage: tobu-script [SCRIPT] | tobu-script replay FILE | tobu-script verify FILE\n";
    return 2;
  }
  std::istringstream replayLine(replay ? std::string(argv[1]) + " " + argv[2] + "\n" : std::string());
  std::ifstream file;
  if (argc == 2) {
    file.open(argv[1]);
    if (!file) {
      std::cerr << "tobu-script: cannot open " << argv[1] << '\n';
      return 2;
    }
  }
  std::istream& script = replay      ? static_cast<std::istream&>(replayLine)
                         : argc == 2 ? static_cast<std::istream&>(file)
                                     : std::cin;

  // Held to the end of main: a second game or script on this folder writes nothing.
  const tobu::FolderLock lock(".");
  if (lock.Busy()) {
    std::cerr << "tobu-script: " << tobu::AlreadyRunningMessage << '\n';
    return 1;
  }
  tobu::RemoveLeftTemporaries(".");

  std::unique_ptr<tobu::CanvasFont> font;
#ifdef TOBU_HAVE_PLATFORM
  font = tobu::OpenTtfCanvasFont();
#endif
  auto display = std::make_unique<tobu::SoftwareDisplay>();
  display->SetCanvasFont(font.get());
  auto form = std::make_unique<tobu::Game>(*display);
  tobu::ScriptRunner runner(*form, *display, std::cout);
  runner.Start();
  const int status = form->Closed ? 0 : runner.RunStream(script, std::cerr);
  runner.Finish();
  std::cout.flush();
  return status;
}
