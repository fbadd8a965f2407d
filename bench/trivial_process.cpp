// A C++ program that does nothing: the floor of a process's start-up.
int main() { return 0; }
