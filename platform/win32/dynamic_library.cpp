#include "platform/dynamic_library.h"

#include <windows.h>

std::string FactoryLibraryFileName() { return "VelumFab.dll"; }

LibraryHandle FindLoadedLibrary(const std::string& file_name) { return GetModuleHandleA(file_name.c_str()); }

LibraryHandle LoadLibraryFile(const std::string& path) { return LoadLibraryA(path.c_str()); }

void* FindLibraryExport(LibraryHandle library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
