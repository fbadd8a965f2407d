#include "platform/named_marker.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/temp_directory.h"

// A marker is a lock file that every process holding the marker keeps open
// with a shared lock: it exists while such a process runs. The file lives in
// the user's runtime directory, which like a logon session belongs to one
// user and goes at logout; without one, in the temporary directory.
namespace {

std::string MarkerPath(const std::string& name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string dir = runtime != nullptr && *runtime != '\0' ? std::string(runtime) + "/" : TempDirectory();
  return dir + name + ".marker";
}

// Holds the marker for the rest of the process: the descriptor stays open.
bool HoldShared(int fd) {
  if (flock(fd, LOCK_SH) == 0) return true;
  close(fd);
  return false;
}

}  // namespace

bool FindNamedMarker(const std::string& name) {
  const int fd = open(MarkerPath(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // An exclusive lock that succeeds means nobody holds the marker any more.
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
    close(fd);
    return false;
  }
  return HoldShared(fd);
}

void CreateNamedMarker(const std::string& name) {
  const int fd = open(MarkerPath(name).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
  if (fd >= 0) HoldShared(fd);
}
