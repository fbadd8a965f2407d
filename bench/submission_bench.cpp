// From the click on start to the result panel: the probe, the rating and the
// exchange with the reference report service, on their own and together.
// The service must answer on 127.0.0.1, port MC_BENCH_REPORT_PORT; run it
// with bench/submission_bench.sh, which starts one.
#include <cstdlib>
#include <string>

#include <benchmark/benchmark.h>

#include "app/machine_info.h"
#include "probe/probe_summary.h"
#include "rating/rating.h"
#include "report/post_report.h"

namespace {

ReportEndpoint BenchService() {
  const char* port = std::getenv("MC_BENCH_REPORT_PORT");
  return {"127.0.0.1", port != nullptr ? port : "18790"};
}

// A new account per call, so that every report is a first one, stored.
void FillAnswers() {
  static long account = 100000000;
  MachineInfoRecord& info = MachineInfo();
  info["Orbi"] = std::to_string(++account);
  info["Age"] = "2";
  info["Sex"] = "1";
  info["Province"] = "\xBB\xAA\xB1\xB1\xB5\xD8\xC7\xF8";
}

void BM_Probe(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ProbeSummary());
}
BENCHMARK(BM_Probe)->Unit(benchmark::kMillisecond);

void BM_Rating(benchmark::State& state) {
  ProbeSummary();
  for (auto _ : state) RateMachine();
}
BENCHMARK(BM_Rating)->Unit(benchmark::kMicrosecond);

void BM_Exchange(benchmark::State& state) {
  ProbeSummary();
  RateMachine();
  for (auto _ : state) {
    FillAnswers();
    benchmark::DoNotOptimize(PostReportTo(BenchService()));
  }
}
BENCHMARK(BM_Exchange)->Unit(benchmark::kMillisecond);

// What the flow does between the click and the result panel.
void BM_ClickToResult(benchmark::State& state) {
  for (auto _ : state) {
    FillAnswers();
    ProbeSummary();
    RateMachine();
    benchmark::DoNotOptimize(PostReportTo(BenchService()));
  }
}
BENCHMARK(BM_ClickToResult)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
