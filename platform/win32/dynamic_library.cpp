#include "platform/dynamic_library.h"

#include <windows.h>

std::string FactoryLibraryFileName() { return "VelumFab.dll"; }

LibraryHandle FindLoadedLibrary(const std::string& file_name) { return GetModuleHandleA(file_name.c_str()); }

LibraryHandle LoadLibraryFile(const std::string& path) { return LoadLibraryA(path.c_str()); }

void* FindLibraryExport(LibraryHandle library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

std::string ModulePathOf(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<const char*>(address), &module)) {
    return {};
  }
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::string() : std::string(path, length);
}
