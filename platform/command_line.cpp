#include "platform/command_line.h"

#include "session/title_card.h"

namespace tobu {
namespace {

// One option: its name, whether it takes a value, its line in the usage, and what it sets.
struct Option {
  const char* Name;
  const char* Value;  // the value's name in the usage, or nullptr for a flag
  const char* Help;
  void (*Apply)(CommandLine& line, const std::string& value);
};

// A new option is one more row.
constexpr Option Options[] = {
    {"--help", nullptr, "show this text and exit",
     [](CommandLine& l, const std::string&) { l.What = CommandLine::Action::Help; }},
    {"--version", nullptr, "show the version and exit",
     [](CommandLine& l, const std::string&) { l.What = CommandLine::Action::Version; }},
    {"--window", nullptr, "start in a window",
     [](CommandLine& l, const std::string&) { l.FullScreen = false; }},
    {"--fullscreen", nullptr, "start in full screen",
     [](CommandLine& l, const std::string&) { l.FullScreen = true; }},
    {"--plus", nullptr, "play with tobu plus (more shown and heard, the same runs)",
     [](CommandLine& l, const std::string&) { l.Plus = true; }},
    {"--classic", nullptr, "play the classic game (plus off)",
     [](CommandLine& l, const std::string&) { l.Plus = false; }},
    {"--data", "DIR", "play in DIR (Players.dat, Levels, tobu.ini); default: here",
     [](CommandLine& l, const std::string& value) { l.DataFolder = value; }},
    {"--replay", "FILE", "play a replay file in the window, then exit",
     [](CommandLine& l, const std::string& value) { l.ReplayFile = value; }},
};

const Option* FindOption(const std::string& name) {
  for (const Option& option : Options) {
    if (name == option.Name) return &option;
  }
  return nullptr;
}

CommandLine Refuse(const std::string& problem) {
  CommandLine line;
  line.What = CommandLine::Action::Fail;
  line.Problem = problem;
  return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const Option* option = FindOption(arguments[i]);
    if (option == nullptr) return Refuse("unknown option '" + arguments[i] + "'");
    std::string value;
    if (option->Value != nullptr) {
      if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
        return Refuse(std::string(option->Name) + " needs " + option->Value);
      }
      value = arguments[++i];
    }
    option->Apply(line, value);
  }
  // --help and --version win over anything else on the line.
  return line;
}

std::string Usage() {
  std::string text = "usage: tobu [OPTION]...\n";
  for (const Option& option : Options) {
    std::string name = option.Name;
    if (option.Value != nullptr) name += std::string(" ") + option.Value;
    name.resize(16, ' ');
    text += "  " + name + option.Help + "\n";
  }
  return text;
}

std::string VersionText() { return std::string("tobu ") + GameVersion + "\n"; }

}  // namespace tobu
