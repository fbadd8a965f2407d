#include "platform/dynamic_library.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdlib>

std::string FactoryLibraryFileName() { return "VelumFab.so"; }

namespace {

// The path of a loaded object whose file is called `file_name`, or "".
std::string LoadedPathNamed(const std::string& file_name) {
  std::pair<const std::string*, std::string> search{&file_name, {}};
  dl_iterate_phdr(
      [](struct dl_phdr_info* info, std::size_t, void* data) {
        auto& [wanted, found] = *static_cast<std::pair<const std::string*, std::string>*>(data);
        const std::string path = info->dlpi_name == nullptr ? "" : info->dlpi_name;
        const std::size_t slash = path.rfind('/');
        if (path.empty() || path.substr(slash == std::string::npos ? 0 : slash + 1) != *wanted) return 0;
        found = path;
        return 1;
      },
      &search);
  return search.second;
}

}  // namespace

// A library loaded before whose soname, or whose file name, is `file_name`.
LibraryHandle FindLoadedLibrary(const std::string& file_name) {
  if (LibraryHandle by_soname = dlopen(file_name.c_str(), RTLD_NOW | RTLD_NOLOAD)) return by_soname;
  const std::string path = LoadedPathNamed(file_name);
  return path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
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
