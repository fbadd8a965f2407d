#!/usr/bin/env bash
# The report service on more than one machine's worth of nodes: two nginx +
# PHP-FPM nodes on one PostgreSQL server (which this script starts in a
# temporary folder), beside a single SQLite node. Measures reports/s of the
# three side by side, kills one PostgreSQL node with kill -9 in the middle of
# a load spread over both (every acknowledged report is stored exactly once),
# and checks that a staff session and the sign-in throttle hold across nodes.
#   service_nodes.sh PROGRAM PORT
set -u
program=$1
port=$2
here=$(cd "$(dirname "$0")" && pwd)
node="$here/../../tools/report-service/deploy/node"
work=$(mktemp -d)
chmod 755 "$work"
pg_data="$work/postgresql"
cleanup() {
  for name in sqlite a b; do "$node" stop "$work/$name"; done
  stop_postgresql "$pg_data"
  rm -rf "$work"
}
trap cleanup EXIT
source "$here/../support/expectations.sh"
source "$here/staff_client.sh"
source "$here/postgresql_server.sh"
pg_port=$((port + 3))
start_postgresql "$pg_data" "$pg_port" max_connections=200 || exit 1
postgresql="pgsql:host=127.0.0.1;port=$pg_port;dbname=postgres"
password="open sesame"
MC_STAFF_PASSWORD_HASH=$(php -r 'echo password_hash($argv[1], PASSWORD_DEFAULT);' "$password")
export MC_STAFF_PASSWORD_HASH MC_MACHINECHECK="$program"
MC_REPORT_DSN="sqlite:$work/reports.sqlite" "$node" start "127.0.0.1:$port" "$work/sqlite" || exit 1
start_node() { MC_REPORT_DSN="$postgresql" MC_REPORT_DB_USER=postgres "$node" start "127.0.0.1:$1" "$work/$2"; }
start_node $((port + 1)) a || exit 1
start_node $((port + 2)) b || exit 1
query() {
  MC_REPORT_DSN="$postgresql" php -r '$db = new PDO(getenv("MC_REPORT_DSN"), "postgres");
    echo $db->query($argv[1])->fetchColumn();' "$1"
}

# load NAME PORTS FIRST: 8 clients post 2,000 reports (each account twice,
# by two clients) to the ports in turn; prints reports/s.
load() {
  local name=$1 ports=$2 first=$3 started elapsed client
  started=$(date +%s%N)
  for client in $(seq 0 7); do
    MC_ACKNOWLEDGED="$work/$name.acknowledged" php "$here/post_reports.php" "$ports" 250 $((first + client * 125)) 1000 \
      > "$work/$name-$client" &
  done
  wait
  elapsed=$(($(date +%s%N) - started))
  echo $((2000 * 1000000000 / elapsed))
}
sqlite_rate=$(load sqlite "$port" 0)
one_node_rate=$(load one "$((port + 1))" 2000)
two_nodes_rate=$(load two "$((port + 1)),$((port + 2))" 4000)
echo "reports/s through nginx + PHP-FPM: SQLite $sqlite_rate, PostgreSQL one node $one_node_rate, two nodes $two_nodes_rate"
expect "each load stored its 1,000 accounts once" \
  [ "$(query "SELECT COUNT(*) FROM reports WHERE u >= '10002000' AND u < '10006000'")" = 2000 ]

# --- kill -9 of one node in the middle of a load over both.
rm -f "$work/killed.acknowledged"
(
  sleep 1
  # Each daemon leads a process group with its workers.
  for pidfile in "$work/b/nginx.pid" "$work/b/fpm.pid"; do kill -9 -- -"$(cat "$pidfile")" 2>/dev/null; done
) &
load killed "$((port + 1)),$((port + 2))" 6000 >/dev/null
wait
others=$(cat "$work"/killed-* | awk '{ sum += $6 } END { print sum }')
expect "the load met the killed node ($others reports unanswered)" [ "$others" -gt 0 ]
sort -u "$work/killed.acknowledged" > "$work/acknowledged-accounts"
missing=0
while read -r account; do
  [ "$(query "SELECT COUNT(*) FROM reports WHERE u = '$account'")" = 1 ] || missing=$((missing + 1))
done < "$work/acknowledged-accounts"
expect "every acknowledged report is stored exactly once ($(wc -l < "$work/acknowledged-accounts") accounts, $missing not)" \
  [ "$missing" = 0 ]
expect "no account and address is stored twice" \
  [ "$(query "SELECT COUNT(*) - COUNT(DISTINCT u || '|' || mc) FROM reports")" = 0 ]

# --- A session made on one node reads the page on the other; the throttle
# counts the failures of both.
start_node $((port + 2)) b || exit 1
sign_in "$work/jar" "http://127.0.0.1:$((port + 1))" "$password" >/dev/null
expect "a session made on node A reads the page on node B" \
  bash -c 'curl -s -b "$0" "$1/staff/" | grep -q "id=\"reports-count\""' "$work/jar" "http://127.0.0.1:$((port + 2))"
for node_port in $((port + 1)) $((port + 2)) $((port + 1)) $((port + 2)) $((port + 1)); do
  sign_in "$work/wrong" "http://127.0.0.1:$node_port" wrong >/dev/null
done
expect "five failures spread over both nodes lock the address on either" \
  bash -c 'grep -q "尝试次数过多" <<<"$0"' "$(sign_in "$work/late" "http://127.0.0.1:$((port + 2))" "$password")"

expectations_met
