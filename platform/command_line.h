#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tobu {

// What the command line asks for. Options override tobu.ini for this start only.
struct CommandLine {
  enum class Action { Play, Help, Version, Fail };
  Action What = Action::Play;
  std::optional<bool> FullScreen;  // --window, --fullscreen
  std::optional<bool> Plus;        // --plus, --classic
  std::string DataFolder;          // --data DIR: holds Players.dat and Levels; empty: the current folder
  std::string ReplayFile;          // --replay FILE: play this replay in the window, then exit
  std::string SubmitFile;          // --submit FILE: send this replay to the server, then exit
  std::string FetchLevelId;        // --fetch-level ID: download this level from the server, then exit
  std::string Problem;             // why the line was refused (Fail)
};

// Reads the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
// The usage text, one option a line.
std::string Usage();
std::string VersionText();

}  // namespace tobu
