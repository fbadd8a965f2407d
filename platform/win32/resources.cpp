#include "platform/resources.h"

#include <windows.h>

// A resource stays mapped with its module, which is the executable.
std::string_view TextResourceView(const char* name, const char* type) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, name, type);
  if (info == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, info);
  DWORD size = SizeofResource(module, info);
  const void* data = loaded == nullptr ? nullptr : LockResource(loaded);
  if (data == nullptr || size == 0) return {};
  return {static_cast<const char*>(data), size};
}

std::string LoadTextResource(const char* name, const char* type) { return std::string(TextResourceView(name, type)); }
