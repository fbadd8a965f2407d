#include "platform/entry.h"
#include "platform/posix/locale_text.h"

// The arguments arrive in the terminal's encoding; the program's text is
// code page 936.
int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Cp936FromLocaleText(argv[i]));
  return MachineCheckMain(args);
}
