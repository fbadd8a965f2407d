#include "platform/shared_mapping.h"

#include <windows.h>

SharedMapping CreateSharedMapping(const std::string& name, std::size_t size, unsigned long& error,
                                  MappingStep& failed_step) {
  SharedMapping mapping;
  mapping.name = name;
  mapping.size = size;
  mapping.handle = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size),
                                      name.c_str());
  if (mapping.handle == nullptr) {
    error = GetLastError();
    failed_step = MappingStep::kCreate;
    return mapping;
  }
  mapping.view = MapViewOfFile(mapping.handle, FILE_MAP_ALL_ACCESS, 0, 0, size);
  if (mapping.view == nullptr) {
    error = GetLastError();
    failed_step = MappingStep::kMap;
  }
  return mapping;
}

SharedMapping OpenSharedMapping(const std::string& name, std::size_t size) {
  SharedMapping mapping;
  mapping.name = name;
  mapping.size = size;
  mapping.handle = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
  if (mapping.handle != nullptr) mapping.view = MapViewOfFile(mapping.handle, FILE_MAP_READ, 0, 0, size);
  return mapping;
}

void CloseSharedMapping(SharedMapping& mapping) {
  if (mapping.view != nullptr) UnmapViewOfFile(mapping.view);
  if (mapping.handle != nullptr) CloseHandle(mapping.handle);
  mapping.view = mapping.handle = nullptr;
}

void RemoveOnTerminationSignals(const SharedMapping&) {}
