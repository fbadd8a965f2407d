#include "platform/posix/termination_signals.h"

#include <csignal>
#include <cstddef>
#include <iterator>

namespace {

constexpr int kTerminationSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kSignalCount = std::size(kTerminationSignals);
using Handler = void (*)(int);
Handler g_previous[kSignalCount] = {};

// A process has few such pieces: its shared memory, its terminal.
constexpr std::size_t kMostWork = 4;
void (*g_work[kMostWork])() = {};
volatile std::sig_atomic_t g_work_count = 0;

void PutBackPreviousHandlers() {
  for (std::size_t i = 0; i < kSignalCount; ++i) std::signal(kTerminationSignals[i], g_previous[i]);
}

void DoWorkAndDie(int signal_number) {
  for (auto i = static_cast<std::size_t>(g_work_count); i-- > 0;) g_work[i]();
  PutBackPreviousHandlers();
  std::raise(signal_number);
}

}  // namespace

void DoOnTerminationSignals(void (*work)()) {
  const auto count = static_cast<std::size_t>(g_work_count);
  if (count == kMostWork) return;
  if (count == 0) {
    for (std::size_t i = 0; i < kSignalCount; ++i) g_previous[i] = std::signal(kTerminationSignals[i], DoWorkAndDie);
  }
  g_work[count] = work;
  g_work_count = static_cast<std::sig_atomic_t>(count + 1);
}

void StopDoingOnTerminationSignals(void (*work)()) {
  auto count = static_cast<std::size_t>(g_work_count);
  for (std::size_t i = count; i-- > 0;) {
    if (g_work[i] != work) continue;
    for (std::size_t j = i; j + 1 < count; ++j) g_work[j] = g_work[j + 1];
    g_work_count = static_cast<std::sig_atomic_t>(--count);
    if (count == 0) PutBackPreviousHandlers();
    return;
  }
}
