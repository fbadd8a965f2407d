#include "platform/entry.h"

int main(int argc, char** argv) { return MachineCheckMain(std::vector<std::string>(argv + 1, argv + argc)); }
