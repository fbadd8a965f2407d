// The whole machine probe and each of its queries, on this machine.
#include <benchmark/benchmark.h>

#include "dialog/submission_counter.h"
#include "platform/graphics_adapters.h"
#include "platform/network_identity.h"
#include "platform/posix/system_files.h"
#include "platform/runtime_packages.h"
#include "platform/system_facts.h"
#include "probe/probe_summary.h"

namespace {

// After the first call the network identity is a stored value; its query is
// measured on its own below.
void BM_ProbeSummary(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ProbeSummary());
}
BENCHMARK(BM_ProbeSummary)->Unit(benchmark::kMillisecond);

void BM_QueryNetworkIdentity(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(QueryNetworkAdapters());
    benchmark::DoNotOptimize(QueryUserName());
    benchmark::DoNotOptimize(QueryHostName());
  }
}
BENCHMARK(BM_QueryNetworkIdentity)->Unit(benchmark::kMicrosecond);

void BM_QueryGraphicsAdapters(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(QueryGraphicsAdapters());
}
BENCHMARK(BM_QueryGraphicsAdapters)->Unit(benchmark::kMicrosecond);

void BM_QuerySystemFacts(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(QueryOsVersion());
    benchmark::DoNotOptimize(QueryTotalPhysicalMemory());
    benchmark::DoNotOptimize(QueryDisplayMode());
    benchmark::DoNotOptimize(QueryCpuBrand());
  }
}
BENCHMARK(BM_QuerySystemFacts)->Unit(benchmark::kMicrosecond);

void BM_QueryUninstallKeys(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(QueryUninstallKeys());
}
BENCHMARK(BM_QueryUninstallKeys)->Unit(benchmark::kMicrosecond);

void BM_SharedSubmissionCount(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(SharedSubmissionCount(false));
}
BENCHMARK(BM_SharedSubmissionCount)->Unit(benchmark::kMicrosecond);

// The pci.ids database the Linux graphics probe names adapters from.
void BM_ReadPciIds(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadWholeFile("/usr/share/misc/pci.ids"));
}
BENCHMARK(BM_ReadPciIds)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
