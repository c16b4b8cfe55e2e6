// Placeholder until start-up lands: proves the build.
int main() { return 0; }
