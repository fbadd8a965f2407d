#include "platform/named_marker.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "platform/temp_directory.h"

// A marker is a lock file that every process holding the marker keeps open
// with a shared lock: it exists while such a process runs. The file lives in
// the user's runtime directory, which like a logon session belongs to one
// user and goes at logout; without one, in the temporary directory.
//
// A probe never waits for a holder. It takes an exclusive lock for a moment
// only to see whether anybody holds the marker; probes take turns through a
// second lock file, so that one probe's exclusive lock never looks like a
// holder to another.
namespace {

constexpr int kTurnAttempts = 200;  // at 1 ms each: probes hold their turn for microseconds

std::string MarkerPath(const std::string& name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string dir = runtime != nullptr && *runtime != '\0' ? std::string(runtime) + "/" : TempDirectory();
  return dir + name + ".marker";
}

// The probes' turn: an exclusive lock on "<marker>.probe"; -1 when it cannot
// be had (the probe then goes on without it).
int TakeProbeTurn(const std::string& marker_path) {
  const int fd = open((marker_path + ".probe").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  for (int attempt = 0; attempt < kTurnAttempts; ++attempt) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  close(fd);
  return -1;
}

void GiveProbeTurnBack(int fd) {
  if (fd >= 0) close(fd);
}

}  // namespace

bool FindNamedMarker(const std::string& name) {
  const std::string path = MarkerPath(name);
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const int turn = TakeProbeTurn(path);
  bool held = false;
  // An exclusive lock that succeeds means nobody holds the marker any more.
  // One that fails means holders (shared locks), or someone else probing
  // (an exclusive lock, which no holder can have beside it); only holders
  // let this process join them with a shared lock of its own.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) held = flock(fd, LOCK_SH | LOCK_NB) == 0;
  GiveProbeTurnBack(turn);
  if (!held) close(fd);  // a held marker keeps its descriptor for the rest of the process
  return held;
}

void CreateNamedMarker(const std::string& name) {
  const int fd = open(MarkerPath(name).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return;
  if (flock(fd, LOCK_SH) != 0) close(fd);  // waits only while a probe looks, for microseconds
}
