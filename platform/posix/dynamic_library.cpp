#include "platform/dynamic_library.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <cstdlib>

std::string FactoryLibraryFileName() { return "VelumFab.so"; }

// A library whose file name (or soname) is `file_name`, loaded before.
LibraryHandle FindLoadedLibrary(const std::string& file_name) {
  return dlopen(file_name.c_str(), RTLD_NOW | RTLD_NOLOAD);
}

LibraryHandle LoadLibraryFile(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW); }

void* FindLibraryExport(LibraryHandle library, const char* name) { return dlsym(library, name); }

std::string ModulePathOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  char* full = realpath(info.dli_fname, nullptr);
  if (full == nullptr) return info.dli_fname;
  std::string path(full);
  std::free(full);
  return path;
}
