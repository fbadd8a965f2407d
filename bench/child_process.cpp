#include "child_process.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>

extern char** environ;

void RunChild(benchmark::State& state, std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  double wall = 0;
  for (auto _ : state) {
    const auto started = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("the program cannot be started");
      return;
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    state.SetIterationTime(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6);
  }
  state.counters["wall_ms"] = benchmark::Counter(wall * 1000 / state.iterations());
}
