#include "platform/process_info.h"

#include <windows.h>

std::string ExecutablePath() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return length < sizeof path ? std::string(path, length) : std::string();
}

std::string CurrentDirectory() {
  char path[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryA(sizeof path, path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

unsigned long CurrentProcessId() { return GetCurrentProcessId(); }

bool StartsAtTheRoot(const std::string& path) { return !path.empty() && path[0] == '\\'; }

char PathSeparator() { return '\\'; }

void WriteDebuggerOutput(const char* text) { OutputDebugStringA(text); }
