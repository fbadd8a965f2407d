#pragma once

#include <string>

// Libraries loaded at run time. A loaded library stays for the process.
using LibraryHandle = void*;

// The file name of the UI component library: "VelumFab" with the
// platform's suffix for shared libraries.
std::string FactoryLibraryFileName();

// The library of that file name, if one is loaded in the process already.
LibraryHandle FindLoadedLibrary(const std::string& file_name);

// Loads the library file at `path`; null when it cannot be loaded.
LibraryHandle LoadLibraryFile(const std::string& path);

// The exported function `name` of `library`, or null.
void* FindLibraryExport(LibraryHandle library, const char* name);

// The full path of the library (or executable) file that holds `address`;
// "" when it cannot be found.
std::string ModulePathOf(const void* address);
