#include "platform/temp_directory.h"

#include <cstdlib>

std::string TempDirectory() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string dir = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
  if (dir.back() != '/') dir += '/';
  return dir;
}
