#pragma once

#include <string>

namespace VelumFab {

// How the library runs, from the [VelumFab] section of the Velum.ini next to
// it, each key overridden by an environment variable:
//   Backend=win32|terminal|script   VELUM_BACKEND     default: the build's own
//   Script=steps file               VELUM_SCRIPT      (script backend)
//   Transcript=output file          VELUM_TRANSCRIPT  (script backend)
// Relative paths in Velum.ini are taken from its folder; those in the
// environment from the current folder.
struct LibrarySettings {
  std::string directory;  // the library's own folder
  std::string backend;
  std::string backend_source;  // where the choice came from, for the log
  std::string script;
  std::string transcript;
};

LibrarySettings ReadLibrarySettings(const std::string& directory, const std::string& default_backend);

}  // namespace VelumFab
