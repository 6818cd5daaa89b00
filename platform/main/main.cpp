// tobu: a side-view platform game with a level editor (tobu --help lists the options).
#include "platform/run_game.h"

int main(int argc, char** argv) { return tobu::RunGame(argc, argv); }
