// tobu-levelc: turns a level source (levels/*.txt) into the level file the game reads.
#include <iostream>

#include "tools/levelc/level_source.h"
#include "world/file_error.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tobu-levelc SOURCE.txt LEVEL.vel\n";
    return 2;
  }
  try {
    tobu::CompileLevelFile(argv[1], argv[2]);
  } catch (const tobu::LevelSourceError& error) {
    std::cerr << argv[1] << ": " << error.what() << '\n';
    return 1;
  } catch (const tobu::FileError& error) {
    std::cerr << "tobu-levelc: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
