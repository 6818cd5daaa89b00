#pragma once
#include <string>
#include <vector>

namespace tobu {

// The level list (the game's hidden file list box): the ordinary "*.vel" files of the
// working directory, any letter case, sorted without regard to case.
struct LevelList {
  std::vector<std::string> Items;

  int Count() const { return static_cast<int>(Items.size()); }
  // Reads the list again from the working directory.
  void Read();
};

// A level file's name as words: without ".vel", dashes as spaces ("01 first steps").
std::string LevelTitle(const std::string& fileName);

} // namespace tobu
