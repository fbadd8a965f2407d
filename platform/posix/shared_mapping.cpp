#include "platform/shared_mapping.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/termination_signals.h"

namespace {

// POSIX shared-memory names begin with a slash.
std::string ObjectName(const std::string& name) { return "/" + name; }

// The object's file, named before any signal comes: unlink is safe in a
// signal handler, building a name is not.
char g_object_file[256] = {};

void RemoveObjectFile() { unlink(g_object_file); }

}  // namespace

SharedMapping CreateSharedMapping(const std::string& name, std::size_t size, unsigned long& error,
                                  MappingStep& failed_step) {
  SharedMapping mapping;
  mapping.name = name;
  mapping.size = size;
  const int fd = shm_open(ObjectName(name).c_str(), O_RDWR | O_CREAT, 0600);
  if (fd < 0 || ftruncate(fd, static_cast<off_t>(size)) != 0) {
    error = static_cast<unsigned long>(errno);
    failed_step = MappingStep::kCreate;
    if (fd >= 0) close(fd);
    return mapping;
  }
  void* view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  close(fd);
  if (view == MAP_FAILED) {
    error = static_cast<unsigned long>(errno);
    failed_step = MappingStep::kMap;
    shm_unlink(ObjectName(name).c_str());
    return mapping;
  }
  mapping.view = view;
  mapping.created = true;
  return mapping;
}

SharedMapping OpenSharedMapping(const std::string& name, std::size_t size) {
  SharedMapping mapping;
  mapping.name = name;
  mapping.size = size;
  const int fd = shm_open(ObjectName(name).c_str(), O_RDONLY, 0);
  if (fd < 0) return mapping;
  void* view = mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
  close(fd);
  if (view != MAP_FAILED) mapping.view = view;
  return mapping;
}

void CloseSharedMapping(SharedMapping& mapping) {
  if (mapping.view != nullptr) munmap(mapping.view, mapping.size);
  if (mapping.created) shm_unlink(ObjectName(mapping.name).c_str());
  mapping.view = nullptr;
  mapping.created = false;
}

void RemoveOnTerminationSignals(const SharedMapping& mapping) {
  if (!mapping.created) return;
  const std::string file = "/dev/shm" + ObjectName(mapping.name);
  if (file.size() >= sizeof g_object_file) return;
  std::memcpy(g_object_file, file.c_str(), file.size() + 1);
  DoOnTerminationSignals(RemoveObjectFile);
}
