// tobu: a side-view platform game with a level editor.
//   tobu                  the game
//   tobu --replay FILE    plays a replay file in the window and ends with it
#include <string>

#include "platform/run_game.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--replay") return tobu::RunGame(argv[2]);
  return tobu::RunGame();
}
