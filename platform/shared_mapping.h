#pragma once

#include <cstddef>
#include <string>

// A named block of memory that other modules of the process can open by
// name: a page-file backed file mapping on Windows, a POSIX shared-memory
// object elsewhere.
struct SharedMapping {
  void* handle = nullptr;  // the mapping (Windows) or nothing
  void* view = nullptr;
  std::size_t size = 0;
  std::string name;
  bool created = false;  // made by this process, which removes it again
};

// Creates the mapping `name` of `size` bytes and maps it. On failure the
// returned mapping has no view, and `error` holds the system's error code
// and `failed_step` says whether creating or mapping failed.
enum class MappingStep { kCreate, kMap };
SharedMapping CreateSharedMapping(const std::string& name, std::size_t size, unsigned long& error,
                                  MappingStep& failed_step);

// Opens an existing mapping by name, as another module would.
SharedMapping OpenSharedMapping(const std::string& name, std::size_t size);

// Unmaps and closes (and, where the system keeps named objects, removes) it.
void CloseSharedMapping(SharedMapping& mapping);

// Removes a mapping this process made also when the process is interrupted,
// terminated or hung up (SIGINT, SIGTERM, SIGHUP), where the system would
// keep it after the process; then the signal ends the process as it would
// have. Nothing to do where mappings go with their process (Windows).
void RemoveOnTerminationSignals(const SharedMapping& mapping);
