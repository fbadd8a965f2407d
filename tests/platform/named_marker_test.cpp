// The POSIX submission marker against other processes that hold its lock.
#include "platform/named_marker.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "platform/temp_directory.h"

namespace {

// Another process that does `hold` and then waits until it is ended.
class OtherProcess {
 public:
  explicit OtherProcess(const std::function<void()>& hold) {
    int ready[2];
    EXPECT_EQ(pipe(ready), 0);
    pid_ = fork();
    if (pid_ == 0) {
      hold();
      const char done = 1;
      if (write(ready[1], &done, 1) != 1) _exit(1);
      pause();
      _exit(0);
    }
    char done = 0;
    EXPECT_EQ(read(ready[0], &done, 1), 1);
    close(ready[0]);
    close(ready[1]);
  }
  ~OtherProcess() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }

 private:
  pid_t pid_;
};

class NamedMarkerTest : public testing::Test {
 protected:
  NamedMarkerTest() { setenv("XDG_RUNTIME_DIR", TempDirectory().c_str(), 1); }
  ~NamedMarkerTest() override {
    std::remove(Path().c_str());
    std::remove((Path() + ".probe").c_str());
  }
  std::string Path() const { return TempDirectory() + name_ + ".marker"; }

  std::string name_ = "machinecheck-test-marker-" + std::to_string(std::random_device()());
};

TEST_F(NamedMarkerTest, IsFoundWhileAProcessThatMadeItRuns) {
  EXPECT_FALSE(FindNamedMarker(name_));
  {
    OtherProcess holder([this] { CreateNamedMarker(name_); });
    EXPECT_TRUE(FindNamedMarker(name_));
  }
}

// A process probing a stale marker holds its lock exclusively for a moment:
// a probe then must neither wait for it nor take it for a holder, nor keep
// the stale marker alive.
TEST_F(NamedMarkerTest, AStaleMarkerBeingProbedElsewhereIsNotFound) {
  { OtherProcess maker([this] { CreateNamedMarker(name_); }); }  // made, then gone: stale
  {
    OtherProcess prober([this] { flock(open(Path().c_str(), O_RDONLY), LOCK_EX); });
    alarm(10);  // a probe that waits for the prober ends the test here
    EXPECT_FALSE(FindNamedMarker(name_));
    alarm(0);
  }
  EXPECT_FALSE(FindNamedMarker(name_));  // the probe above did not make itself a holder
}

}  // namespace
