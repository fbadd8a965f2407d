// Start-up table build (of both editions of the tables), one eval lookup and
// the rating of a device list:
// this program's implementation side by side with the literal one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <fstream>
#include <random>
#include <sstream>

#include "app/batch_rating.h"
#include "platform/resources.h"
#include "rating/device_name.h"
#include "rating/score_table.h"
#include "child_process.h"
#include "literal_table.h"

namespace {

const std::string& CpuText() {
  static const std::string text = LoadTextResource("CPU.TXT", "TEXT");
  return text;
}
const std::string& GpuText() {
  static const std::string text = LoadTextResource("GPU.TXT", "TEXT");
  return text;
}

std::vector<std::string> TableNames(const std::string& text) {
  std::vector<std::string> names;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) names.push_back(line.substr(0, line.rfind(':')));
  return names;
}

// A device list of `count` lines: real table names in the spellings devices
// report, with one line in ten naming a device the tables do not know. With
// `distinct_spellings` no name is written the same way twice (the worst case
// for the lookups, which remember spellings they have seen).
std::string DeviceList(int count, bool distinct_spellings = false) {
  const std::vector<std::string> cpus = TableNames(CpuText());
  const std::vector<std::string> gpus = TableNames(GpuText());
  std::mt19937 random(42);
  std::string list = "id\tdate\tuser\tCPU\tRAM\tGPU\n";
  for (int i = 0; i < count; ++i) {
    std::string cpu = cpus[random() % cpus.size()];
    std::string gpu = i % 10 == 0 ? "Unknown Graphics " + std::to_string(i) : gpus[random() % gpus.size()];
    if (distinct_spellings) {
      cpu += " (" + std::to_string(i) + ")";
      gpu += " [" + std::to_string(i) + "]";
    }
    list += std::to_string(100000 + i) + "\t2026-12-08\tplayer\t" + cpu + "\t" +
            std::to_string(1024 * (1 + random() % 32)) + ".00 MB\t" + gpu + "\t9.18.13.3788\n";
  }
  return list;
}

const LiteralScoreTable& LiteralCpuTable() {
  static const LiteralScoreTable table = LiteralLoadScoreTable(CpuText());
  return table;
}
const LiteralScoreTable& LiteralGpuTable() {
  static const LiteralScoreTable table = LiteralLoadScoreTable(GpuText());
  return table;
}

// Building the tables, as at start-up; freeing them again is not part of it.
void BM_StartupTables_Ours(benchmark::State& state) {
  for (auto _ : state) {
    auto gpu = std::make_unique<ScoreTable>(LoadScoreTable("gpu.txt"));
    auto cpu = std::make_unique<ScoreTable>(LoadScoreTable("cpu.txt"));
    benchmark::DoNotOptimize(gpu->Size() + cpu->Size());
    state.PauseTiming();
    gpu.reset();
    cpu.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupTables_Ours)->Unit(benchmark::kMillisecond);

// The first edition of a table: the shipped one without the lines that
// second_edition_lines.txt lists for it.
std::string FirstEdition(const std::string& text, const char* name) {
  std::ifstream listing(MC_BENCH_DIR "/second_edition_lines.txt");
  std::vector<bool> added;
  for (std::string line; std::getline(listing, line);) {
    if (line.rfind(std::string(name) + ": ", 0) != 0) continue;
    std::istringstream numbers(line.substr(std::string(name).size() + 2));
    for (std::size_t number; numbers >> number;) {
      if (added.size() <= number) added.resize(number + 1, false);
      added[number] = true;
    }
  }
  std::string first;
  std::size_t number = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    const std::size_t next = end == std::string::npos ? text.size() : end + 2;
    if (++number >= added.size() || !added[number]) first.append(text, at, next - at);
    at = next;
  }
  return first;
}

// The same build from the texts of the first (1) or the shipped second (2)
// edition, side by side.
void BM_StartupTables_Edition(benchmark::State& state) {
  const bool first = state.range(0) == 1;
  const std::string gpu_text = first ? FirstEdition(GpuText(), "GPU.TXT") : GpuText();
  const std::string cpu_text = first ? FirstEdition(CpuText(), "CPU.TXT") : CpuText();
  for (auto _ : state) {
    auto gpu = std::make_unique<ScoreTable>(ParseScoreTable(gpu_text));
    auto cpu = std::make_unique<ScoreTable>(ParseScoreTable(cpu_text));
    benchmark::DoNotOptimize(gpu->Size() + cpu->Size());
    state.PauseTiming();
    gpu.reset();
    cpu.reset();
    state.ResumeTiming();
  }
  state.counters["cpu_lines"] = static_cast<double>(std::count(cpu_text.begin(), cpu_text.end(), '\n'));
}
BENCHMARK(BM_StartupTables_Edition)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_StartupTables_Literal(benchmark::State& state) {
  for (auto _ : state) {
    LiteralScoreTable gpu = LiteralLoadScoreTable(GpuText());
    LiteralScoreTable cpu = LiteralLoadScoreTable(CpuText());
    benchmark::DoNotOptimize(gpu.size() + cpu.size());
  }
}
BENCHMARK(BM_StartupTables_Literal)->Unit(benchmark::kMillisecond)->Iterations(1);

const char kEvalCpu[] = "Intel(R) Core(TM) i7 CPU       X 980  @ 3.33GHz";
const char kEvalGpu[] = "NVIDIA GeForce GTX 690";

void BM_NormalizeDeviceName(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(NormalizeDeviceName(kEvalCpu));
}
BENCHMARK(BM_NormalizeDeviceName);

// Eval mode looks a name up once per process: every name here is a spelling
// the table has not been asked for before.
void BM_EvalLookup_Ours(benchmark::State& state) {
  std::vector<std::string> spellings;
  for (int i = 0; i < 200000; ++i) spellings.push_back(std::string(i % 500 + 1, ' ') + kEvalCpu + std::string(i / 500, ' '));
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CpuTable().Find(spellings[next]));
    if (++next == spellings.size()) next = 0;
  }
}
BENCHMARK(BM_EvalLookup_Ours)->Unit(benchmark::kMicrosecond);

void BM_EvalLookup_Literal(benchmark::State& state) {
  const LiteralScoreTable& cpu = LiteralCpuTable();
  const LiteralScoreTable& gpu = LiteralGpuTable();
  for (auto _ : state) {
    benchmark::DoNotOptimize(cpu.count(kEvalCpu));
    benchmark::DoNotOptimize(gpu.count(kEvalGpu));
  }
}
BENCHMARK(BM_EvalLookup_Literal)->Unit(benchmark::kMicrosecond);

// Parse, normalise, look up, rate and format, in memory.
void RateInMemory(benchmark::State& state, const std::string& list) {
  for (auto _ : state) {
    std::istringstream input(list);
    std::ostringstream output;
    MachineInfoRecord info;
    benchmark::DoNotOptimize(RateDeviceLines(input, output, info).rated_lines);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RateDeviceList_Ours(benchmark::State& state) {
  RateInMemory(state, DeviceList(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_RateDeviceList_Ours)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RateDeviceListDistinct_Ours(benchmark::State& state) {
  RateInMemory(state, DeviceList(static_cast<int>(state.range(0)), true));
}
BENCHMARK(BM_RateDeviceListDistinct_Ours)->Arg(100000)->Unit(benchmark::kMillisecond);

// The literal rating is slow enough that a list of 1,000 lines is measured;
// the figure to compare is lines per second.
void BM_RateDeviceList_Literal(benchmark::State& state) {
  const std::string list = DeviceList(static_cast<int>(state.range(0)));
  const LiteralScoreTable& cpu = LiteralCpuTable();
  const LiteralScoreTable& gpu = LiteralGpuTable();
  for (auto _ : state) benchmark::DoNotOptimize(LiteralRateDeviceList(list, cpu, gpu));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RateDeviceList_Literal)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// End to end: the device-list file in, the result file out, flushed per line.
void BM_RateDeviceListFile_Ours(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "machinecheck-bench";
  std::filesystem::create_directories(dir);
  const std::string list_path = (dir / "devices.txt").string();
  const std::string result_path = list_path + " - result.txt";
  std::ofstream(list_path, std::ios::binary) << DeviceList(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(RateDeviceList(result_path, list_path).rated_lines);
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_RateDeviceListFile_Ours)->Arg(100000)->Unit(benchmark::kMillisecond);

// The whole batch mode as a process, side by side with the floor of its
// contract: awk writing one line per list line, flushed per line. Reported
// time is the child's CPU time (user and system); "wall" is elapsed time.
struct BatchFiles {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "machinecheck-batch-bench";
  std::string list = (dir / "devices.txt").string();
  explicit BatchFiles(int lines) {
    std::filesystem::create_directories(dir);
    std::ofstream(list, std::ios::binary) << DeviceList(lines);
  }
  ~BatchFiles() { std::filesystem::remove_all(dir); }
};

void BM_BatchProcess_Ours(benchmark::State& state) {
  BatchFiles files(static_cast<int>(state.range(0)));
  RunChild(state, {MC_MACHINECHECK, "--eval_file", files.list});
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BatchProcess_Ours)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BatchProcess_AwkFloor(benchmark::State& state) {
  BatchFiles files(static_cast<int>(state.range(0)));
  const std::string result = files.list + " - result.txt";
  RunChild(state, {"awk", "-F\t", "-v", "out=" + result, "{ print $1 \"\\t1\\t848\" > out; fflush(out) }",
                   files.list});
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BatchProcess_AwkFloor)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

// What the eager table build adds to a process: an eval process, a process
// that only builds the tables, and one that does nothing.
void BM_Process_Eval(benchmark::State& state) {
  RunChild(state, {MC_MACHINECHECK, "--mute", "--eval", "Intel Core i7 980X @ 3.33GHz|NVIDIA GeForce GTX 690|8"});
}
BENCHMARK(BM_Process_Eval)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_Process_TablesOnly(benchmark::State& state) { RunChild(state, {MC_TABLES_PROCESS}); }
BENCHMARK(BM_Process_TablesOnly)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_Process_Trivial(benchmark::State& state) { RunChild(state, {MC_TRIVIAL_PROCESS}); }
BENCHMARK(BM_Process_Trivial)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
