// The whole machine probe and each of its queries, on this machine.
#include <benchmark/benchmark.h>

#include "dialog/submission_counter.h"
#include "platform/graphics_adapters.h"
#include "platform/network_identity.h"
#include "platform/posix/machine_files.h"
#include "platform/posix/pci_names.h"
#include "platform/posix/system_files.h"
#include "platform/resources.h"
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

// One look-up in the built-in table of the names the vendors' drivers give:
// of the first line, of the last, and of ids the table lacks (a whole scan).
void BM_DriverTableName(benchmark::State& state) {
  const std::string_view table = TextResourceView("GPU-PCI.TXT", "TEXT");
  const PciDisplayIds cases[] = {{0x1002, 0x1114, 0x00, {}, {}}, {0x8086, 0xe20c, {}, {}, {}},
                                 {0xffff, 0xffff, {}, {}, {}}};
  const PciDisplayIds& ids = cases[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(DriverTableName(table, ids));
}
BENCHMARK(BM_DriverTableName)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The graphics query of a replayed machine: two adapters the table names,
// and one it names beside one that only pci.ids names.
void BM_QueryGraphicsAdaptersOfAMachine(benchmark::State& state) {
  const std::string root = std::string(MC_MACHINES_DIR) + (state.range(0) == 0 ? "/two-navi32-cards/" : "/rtx5070-and-bmc/");
  for (auto _ : state) benchmark::DoNotOptimize(QueryGraphicsAdaptersBelow(root));
}
BENCHMARK(BM_QueryGraphicsAdaptersOfAMachine)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
