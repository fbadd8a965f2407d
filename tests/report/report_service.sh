#!/usr/bin/env bash
# Starts or stops a reference report service for the tests: nginx and
# PHP-FPM with the deployment's own configuration (deploy/node), on
# loopback, with a database of its own in DIR:
#   report_service.sh start PORT DIR [FIRST_SALT]
#   report_service.sh stop PORT DIR
set -euo pipefail
action=$1 port=$2 dir=$3
node="$(cd "$(dirname "$0")/../../tools/report-service/deploy" && pwd)/node"
case "$action" in
  start)
    mkdir -p "$dir"
    rm -f "$dir/reports.sqlite"
    MC_REPORT_FIRST_SALT="${4:-}" "$node" start "127.0.0.1:$port" "$dir"
    ;;
  stop)
    "$node" stop "$dir"
    ;;
esac
