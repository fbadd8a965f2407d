#pragma once

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

// Runs `arguments` as a child process once per iteration and reports the
// child's CPU time (user and system) as the iteration's time; the wall time
// goes into the counter "wall_ms". For benchmarks with UseManualTime().
void RunChild(benchmark::State& state, std::vector<std::string> arguments);
