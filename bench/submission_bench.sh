#!/usr/bin/env bash
# Runs bench/submission_bench against a reference report service of its
# own on loopback:   bench/submission_bench.sh [BENCHMARK OPTIONS...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
port=18790
work=$(mktemp -d)
trap 'bash "$top/tests/report/report_service.sh" stop $port "$work"; rm -rf "$work"' EXIT
bash "$top/tests/report/report_service.sh" start $port "$work"
MC_BENCH_REPORT_PORT=$port "$top/build/linux/bench/submission_bench" "$@"
