// tobu-script: runs the game headless from an input script (being written).
int main() { return 0; }
