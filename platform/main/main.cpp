// The game's entry point (being written).
int main() { return 0; }
