#include "platform/shared_mapping.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>

namespace {
// POSIX shared-memory names begin with a slash.
std::string ObjectName(const std::string& name) { return "/" + name; }
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
