#include "platform/temp_directory.h"

#include <windows.h>

std::string TempDirectory() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof path, path);
  if (length == 0 || length >= sizeof path) return ".\\";
  return std::string(path, length);
}
