#include <windows.h>

#include <boost/program_options/parsers.hpp>

#include "platform/entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  return MachineCheckMain(boost::program_options::split_winmain(command_line));
}
