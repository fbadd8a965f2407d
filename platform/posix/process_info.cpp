#include "platform/process_info.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/posix/system_files.h"

std::string ExecutablePath() { return ReadLinkTarget("/proc/self/exe"); }

std::string CurrentDirectory() {
  char path[4096] = {};
  return getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string();
}

unsigned long CurrentProcessId() { return static_cast<unsigned long>(getpid()); }

bool StartsAtTheRoot(const std::string& path) { return !path.empty() && (path[0] == '/' || path[0] == '\\'); }

char PathSeparator() { return '/'; }

void WriteDebuggerOutput(const char* text) {
  const char* wanted = std::getenv("VELUM_DEBUG_OUTPUT");
  if (wanted != nullptr && *wanted != '\0') std::fputs(text, stderr);
}
