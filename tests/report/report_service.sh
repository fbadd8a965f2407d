#!/usr/bin/env bash
# Starts or stops a reference report service for the tests, on loopback,
# with a database of its own in DIR:
#   report_service.sh start PORT DIR [FIRST_SALT]
#   report_service.sh stop PORT DIR
set -euo pipefail
action=$1 port=$2 dir=$3
here=$(cd "$(dirname "$0")/../../tools/report-service" && pwd)
# A database of its own in DIR, unless the caller names one (PostgreSQL).
mkdir -p "$dir"
case "$action" in
  start)
    [ -f "$dir/pid" ] && kill -- -"$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/reports.sqlite"
    MC_REPORT_DSN="${MC_REPORT_DSN:-sqlite:$dir/reports.sqlite}" MC_REPORT_FIRST_SALT="${4:-}" \
      setsid nohup "$here/serve" "127.0.0.1:$port" > "$dir/log" 2>&1 < /dev/null &
    echo $! > "$dir/pid"
    for _ in $(seq 50); do
      (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && exit 0
      sleep 0.1
    done
    echo "the report service did not start on port $port:" >&2
    cat "$dir/log" >&2
    exit 1
    ;;
  stop)
    # The server and its workers are one process group.
    [ -f "$dir/pid" ] && kill -- -"$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/pid"
    ;;
esac
