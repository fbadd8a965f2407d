#!/usr/bin/env bash
# The reference report service as its users meet it, on SQLite or on a real
# PostgreSQL server that this script starts in a temporary folder: the staff
# page (plain HTTP without signing in, then a real browser), the report
# endpoint against bad input, simultaneous submissions under load, and the
# export into the batch rating.
#   service_suite.sh sqlite|postgresql PROGRAM PORT SCREENSHOT NODE-MODULES
set -u
kind=$1
program=$2
port=$3
screenshot=$4
node_modules=$5
here=$(cd "$(dirname "$0")" && pwd)
service="$here/report_service.sh"
work=$(mktemp -d)
chmod 755 "$work"
pg_data=""
cleanup() {
  bash "$service" stop "$port" "$work/service"
  bash "$service" stop $((port + 1)) "$work/service-off"
  [ -n "$pg_data" ] && stop_postgresql "$pg_data"
  rm -rf "$work"
}
trap cleanup EXIT
source "$here/../support/expectations.sh"
source "$here/staff_client.sh"
source "$here/postgresql_server.sh"
report_failure() { echo "FAILED: $kind: $1"; }

if [ "$kind" = postgresql ]; then
  pg_data="$work/postgresql"
  pg_port=$((port + 2))
  start_postgresql "$pg_data" "$pg_port" || exit 1
  export MC_REPORT_DSN="pgsql:host=127.0.0.1;port=$pg_port;dbname=postgres" MC_REPORT_DB_USER=postgres
else
  export MC_REPORT_DSN="sqlite:$work/reports.sqlite"
fi
query() {  # query SQL: the first column of the first row
  php -r '$db = new PDO(getenv("MC_REPORT_DSN"), getenv("MC_REPORT_DB_USER") ?: null);
          echo $db->query($argv[1])->fetchColumn();' "$1"
}

password="open sesame"
export MC_STAFF_PASSWORD_HASH MC_MACHINECHECK="$program"
MC_STAFF_PASSWORD_HASH=$(php -r 'echo password_hash($argv[1], PASSWORD_DEFAULT);' "$password")
bash "$service" start "$port" "$work/service" || exit 1
MC_STAFF_PASSWORD_HASH="" bash "$service" start $((port + 1)) "$work/service-off" || exit 1
url="http://127.0.0.1:$port"
post() { php "$here/post_reports.php" "$port" 1 0 0 "$@"; }
east=$'\xBB\xAA\xB6\xAB\xB5\xD8\xC7\xF8'  # 华东地区 in code page 936

# --- A small known set of reports for the staff page.
for account in 30001 30002 30003; do post u=$account mc=02-00-00-00-00-0${account: -1} >/dev/null; done
post u=30004 mc=02-00-00-00-01-01 cpu="Imaginary CPU 9000" >/dev/null
post u=30005 mc=02-00-00-00-01-02 cpu="Imaginary CPU 9000" >/dev/null
post u=30006 mc=02-00-00-00-01-03 dm="Imaginary Graphics Z1" pv="$east" ag=3 sx=2 >/dev/null
post u=30007 mc=02-00-00-00-01-04 dm="" hl="" >/dev/null
post u=30008 mc=02-00-00-00-01-05 hl=3 mm="16384.00 MB" >/dev/null
expect "the eight reports are stored" [ "$(query 'SELECT COUNT(*) FROM reports')" = 8 ]

# --- Without signing in, no staff URL gives data.
for path in /staff/ /staff/reports-csv.php /staff/unrecognised.php /staff/sign-in.php /staff/sign-out.php \
            "/staff/?from=2026-01-01"; do
  body=$(curl -s -o - -w '\n%{http_code}' "$url$path")
  status=${body##*$'\n'}
  expect "$path gives no data without signing in" bash -c '! grep -q -e 30001 -e Imaginary -e reports-count <<<"$0"' "$body"
  case "$path" in *csv* | *unrecognised*) expect "$path answers 401" [ "$status" = 401 ] ;; esac
done
expect "without a staff password the page is off and says so" \
  bash -c 'curl -s "$0" | grep -q "员工页面未启用"' "http://127.0.0.1:$((port + 1))/staff/"
expect "without a staff password the downloads are off" \
  [ "$(curl -s -o /dev/null -w '%{http_code}' "http://127.0.0.1:$((port + 1))/staff/reports-csv.php")" = 503 ]

# --- In the browser: the figures, the unrecognised devices, the regions.
expected='{"reports": 8, "machines": 8, "regions": ["华北地区", "华东地区"],
           "unrecognised": [["处理器", "Imaginary CPU 9000", 2], ["显卡", "（空）", 1], ["显卡", "Imaginary Graphics Z1", 1]]}'
expect "the staff page in a browser" node "$here/staff_page.mjs" "$url" "$password" "$expected" "$screenshot" "$node_modules"

# --- Signed in with plain HTTP: the downloads and the date range.
jar="$work/cookies"
sign_in "$jar" "$url" "$password" >/dev/null
csv=$(curl -s -b "$jar" "$url/staff/reports-csv.php")
expect "the CSV holds a header and every report" [ "$(grep -c . <<<"$csv")" = 9 ]
expect "the CSV is UTF-8" grep -q "华东地区" <<<"$csv"
list=$(curl -s -b "$jar" "$url/staff/unrecognised.php")
expect "the unrecognised list downloads, most machines first" \
  [ "$(sed -n 2p <<<"$list" | cut -f1-3)" = $'2\tprocessor\tImaginary CPU 9000' ]
for range in "from=2026-13-40" "from=%27%20OR%201%3D1%20--" "to=tomorrow"; do
  page=$(curl -s -b "$jar" "$url/staff/?$range")
  expect "a range of $range is named as no date, and all is shown" \
    bash -c 'grep -q "不是日期" <<<"$0" && grep -q "id=\"reports-count\">8<" <<<"$0"' "$page"
done
today=$(date -u +%F)
expect "a range of today holds the eight" bash -c 'curl -s -b "$0" "$1" | grep -q "id=\"reports-count\">8<"' "$jar" \
  "$url/staff/?from=$today&to=$today"
expect "a range before today holds none" bash -c 'curl -s -b "$0" "$1" | grep -q "id=\"reports-count\">0<"' "$jar" \
  "$url/staff/?to=2000-01-01"

# --- The report endpoint against bad input: clear answers, nothing stored.
before=$(query 'SELECT COUNT(*) FROM reports')
answers=""
answer() { answers+="$1"$'\n'; grep -q '"ret_code":-2' <<<"$1"; }
expect "GET is refused" answer "$(curl -s -i "$url/kestrel/act/a2014checkmachine/postInfo.php")"
expect "GET answers 405" bash -c 'curl -s -i "$0" | grep -q "^HTTP/1.1 405"' "$url/kestrel/act/a2014checkmachine/postInfo.php"
expect "PUT is refused" answer "$(curl -s -X PUT -d u=1 "$url/kestrel/act/a2014checkmachine/postInfo.php")"
expect "an oversized form is refused" answer "$(head -c 70000 /dev/zero | tr '\0' a | sed 's/^/u=/' |
  curl -s --data-binary @- "$url/kestrel/act/a2014checkmachine/postInfo.php")"
expect "an oversized field is refused" answer "$(post u=30010 mc=x cpu="$(head -c 3000 /dev/zero | tr '\0' c)")"
expect "bytes that are no code page 936 are refused" answer "$(post u=30011 mc=x cpu=$'\xFF\xFE\x80')"
expect "a zero byte is refused" answer "$(post u=30012 mc=x "cpu=a<NUL>b")"
expect "a missing field is refused" answer "$(post u=30013 mc=x -pv)"
expect "an account the dialog never sends is refused" answer "$(post "u=30014 OR 1=1" mc=x)"
expect "nothing was stored" [ "$(query 'SELECT COUNT(*) FROM reports')" = "$before" ]
expect "no PHP message in any answer" bash -c '! grep -q -i -e "warning" -e "notice" -e "fatal error" -e "deprecated" <<<"$0"' "$answers"

# --- Throttled sign-in: failures cost time, then the address is refused.
started=$(date +%s)
for _ in 1 2 3 4; do sign_in "$work/wrong" "$url" wrong >/dev/null; done
expect "each failed sign-in costs a second" [ $(($(date +%s) - started)) -ge 4 ]
refused=$(sign_in "$work/late" "$url" "$password")
expect "after five failures even the password is refused for a while" grep -q "尝试次数过多" <<<"$refused"
expect "every sign-in attempt is recorded" [ "$(query 'SELECT COUNT(*) FROM staff_sign_ins')" -ge 7 ]

# --- Load: 8 clients post 2,400 reports at once, each account by two
# clients; one row per account and address, the rest answered as repeats.
started=$(date +%s%N)
for client in $(seq 0 7); do
  php "$here/post_reports.php" "$port" 300 $((client * 150)) 1200 > "$work/client-$client" &
done
wait
elapsed=$(($(date +%s%N) - started))
accepted=$(cat "$work"/client-* | awk '{ sum += $2 } END { print sum }')
repeats=$(cat "$work"/client-* | awk '{ sum += $4 } END { print sum }')
others=$(cat "$work"/client-* | awk '{ sum += $6 } END { print sum }')
expect "every report is accepted or a repeat ($accepted, $repeats, $others)" [ "$others" = 0 ]
expect "each of the 1,200 accounts is accepted once" [ "$accepted" = 1200 ]
expect "rows stored = reports accepted" [ "$(query "SELECT COUNT(*) FROM reports WHERE length(u) = 8 AND u BETWEEN '10000000' AND '10001199'")" = 1200 ]
expect "no account and address is stored twice" \
  [ "$(query "SELECT COUNT(*) - COUNT(DISTINCT u || '|' || mc) FROM reports")" = 0 ]
echo "$kind: 2400 reports from 8 clients in $((elapsed / 1000000)) ms: $((2400 * 1000000000 / elapsed)) reports/s"

# --- Every stored report goes through the export into the batch rating.
php "$here/../../tools/report-service/export.php" > "$work/reports.txt" 2> "$work/export.err"
"$program" --eval_file "$work/reports.txt"
rows=$(query 'SELECT COUNT(*) FROM reports')
expect "the export and the batch rating keep every report" [ "$(wc -l < "$work/reports.txt - result.txt")" = "$rows" ]

expectations_met
