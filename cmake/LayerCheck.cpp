// The program of a layer check: linking it is the check, running it does nothing.
int main() { return 0; }
