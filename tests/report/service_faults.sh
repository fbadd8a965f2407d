#!/usr/bin/env bash
# The report service behind nginx and PHP-FPM against what was found from
# outside: forged and closed-field reports, long device names, sign-in from
# another site, sessions that must end, the audit, formula cells in the
# downloads, date ranges, a short Content-Length, a password setting that is
# no hash, a flood of idle connections, and what staff need of the page.
#   service_faults.sh PROGRAM PORT NODE-MODULES
set -u
program=$1
port=$2
node_modules=$3
here=$(cd "$(dirname "$0")" && pwd)
node="$here/../../tools/report-service/deploy/node"
work=$(mktemp -d)
chmod 755 "$work"
trap '"$node" stop "$work/node"; "$node" stop "$work/invalid"; rm -rf "$work"' EXIT
source "$here/../support/expectations.sh"
source "$here/staff_client.sh"
report_failure() { echo "FAILED: $1"; }
url="http://127.0.0.1:$port"
export MC_REPORT_DSN="sqlite:$work/reports.sqlite"
query() {  # query SQL: the first column of the first row
  php -r '$db = new PDO(getenv("MC_REPORT_DSN")); echo $db->query($argv[1])->fetchColumn();' "$1"
}
sql() { php -r '$db = new PDO(getenv("MC_REPORT_DSN")); $db->exec($argv[1]);' "$1"; }
post() { php "$here/post_reports.php" "$port" 1 0 0 "$@"; }
# A program that notes each run, to see how often the service asks it.
cat > "$work/program" <<SCRIPT
#!/usr/bin/env bash
echo run >> "$work/program-runs"
exec "$program" "\$@"
SCRIPT
chmod +x "$work/program"
password="open sesame"
export MC_MACHINECHECK="$work/program"
MC_STAFF_PASSWORD_HASH=$(php -r 'echo password_hash($argv[1], PASSWORD_DEFAULT);' "$password")
export MC_STAFF_PASSWORD_HASH
"$node" start "127.0.0.1:$port" "$work/node" || exit 1
jar="$work/jar"
sign_in "$jar" "$url" "$password" >/dev/null
page() { curl -s -b "$jar" "$url/staff/$1"; }
refused() { grep -q '"ret_code":-2' <<<"$1"; }

# --- 1, 2: the closed fields hold only what the dialog sends; a forged
# value never rewrites the figures.
for account in 40001 40002 40003; do post u=$account mc=02-00-00-00-04-0${account: -1} sx=1 ag=2 >/dev/null; done
expect "a sex of 1x is refused" refused "$(post u=40004 mc=02-00-00-00-04-04 sx=1x ag=1x)"
for field in ag=0 ag=6 ag=01 sx=3 "sx=1 " mc=x mc=02-00-00-00-04-4a hl=7 ei=x "pv=$(printf 'Nowhere')" \
             "pv=$(printf '\xC4\xCF\xBC\xAB\xB5\xD8\xC7\xF8')" "pv=华北地区"; do
  expect "a report with $field is refused" refused "$(post u=40005 mc=02-00-00-00-04-05 "$field")"
done
expect "nothing of them was stored" [ "$(query "SELECT COUNT(*) FROM reports WHERE u IN ('40004', '40005')")" = 0 ]
expect "a machine without a hardware address may report" \
  bash -c 'grep -q "\"ret_code\":0" <<<"$0"' "$(post u=40006 mc= sx=2 ag=5)"
# A value stored before the service refused them is shown as itself, and
# adds to nothing else.
sql "INSERT INTO reports (received_at, client_address, u, mc, cpu, mm, dm, os, rs, hl, pn, nc, ei, ag, sx, pv, tk)
     SELECT received_at, client_address, '40007', '02-00-00-00-04-07', cpu, mm, dm, os, rs, hl, pn, nc, ei, '1x', '01', pv, tk
     FROM reports WHERE u = '40001'"
figures=$(page "")
expect "three men, as reported" grep -q '<tr><td>男</td><td class="n">3</td></tr>' <<<"$figures"
expect "the stored 01 shows as itself" grep -q '<tr><td>“01”</td><td class="n">1</td></tr>' <<<"$figures"
expect "no age range is rewritten by 1x" grep -q '<tr><td>18-22岁</td><td class="n">3</td></tr>' <<<"$figures"

# --- 3: a device name too long for the program's device list is listed,
# flagged, and its answer kept like any other.
long=$(head -c 1000 /dev/zero | tr '\0' 'L')
post u=40008 mc=02-00-00-00-04-08 dm="Long $long" >/dev/null
post u=40009 mc=02-00-00-00-04-09 cpu="Another Imaginary CPU" >/dev/null
rm -f "$work/program-runs"
first=$(page "")
expect "a 1,000-byte graphics name is listed" grep -q "Long LLLL" <<<"$first"
expect "and flagged as one the program could not rate" grep -q "程序无法判断" <<<"$first"
page "" >/dev/null
expect "the answers are kept: the program ran once for two views" [ "$(wc -l < "$work/program-runs")" = 1 ]

# --- 4: a sign-in from another site is refused before it counts, so it
# cannot lock the staff out. (The other site's origin is another loopback
# host: only its name is sent, nothing connects to it.)
other_site="Origin: http://127.0.0.2"
for _ in 1 2 3 4 5 6; do
  curl -s -o /dev/null -H "$other_site" --data "password=guess" "$url/staff/sign-in.php"
done
forged=$(curl -s -L -H "$other_site" --data "password=guess" "$url/staff/sign-in.php")
expect "a post from another site is told it was not taken" grep -q "没有受理" <<<"$forged"
expect "and the right password still signs in" grep -q 'id="reports-count"' <<<"$(sign_in "$work/after-forged" "$url" "$password")"
token_cookie_jar="$work/token"
expect "a matching token but another site's Origin is refused too" bash -c \
  'grep -q "没有受理" <<<"$0"' "$(sign_in "$token_cookie_jar" "$url" "$password" -H "$other_site")"

# --- 5: sessions end: idle, too old, or when the password changes; a
# visitor who does not sign in gets none.
sessions_before=$(query 'SELECT COUNT(*) FROM staff_sessions')
anonymous=$(curl -s -D - -o /dev/null "$url/staff/")
expect "an anonymous visit makes no session" bash -c '! grep -qi "Set-Cookie: MCSTAFF" <<<"$0"' "$anonymous"
expect "and stores none" [ "$(query 'SELECT COUNT(*) FROM staff_sessions')" = "$sessions_before" ]
sign_in "$work/idle" "$url" "$password" >/dev/null
sql "UPDATE staff_sessions SET last_seen = last_seen - 1900"
expect "a session idle for 31 minutes has ended" \
  bash -c 'curl -s -b "$0" "$1/staff/" | grep -q "id=\"password\""' "$work/idle" "$url"
sign_in "$work/old" "$url" "$password" >/dev/null
sql "UPDATE staff_sessions SET created_at = created_at - 46800"
expect "a session of 13 hours has ended" bash -c 'curl -s -b "$0" "$1/staff/" | grep -q "id=\"password\""' "$work/old" "$url"
sign_in "$jar" "$url" "$password" >/dev/null
MC_STAFF_PASSWORD_HASH=$(php -r 'echo password_hash("a new password", PASSWORD_DEFAULT);') "$node" start "127.0.0.1:$port" "$work/node"
expect "a new password hash ends the sessions made before" \
  bash -c 'curl -s -b "$0" "$1/staff/" | grep -q "id=\"password\""' "$jar" "$url"
"$node" start "127.0.0.1:$port" "$work/node"
sign_in "$jar" "$url" "$password" >/dev/null

# --- 6: every sign-in attempt is kept and shown to staff.
sign_in "$work/wrong" "$url" "not the password" >/dev/null
expect "the page lists the last attempts, failures included" \
  bash -c 'grep -q "<td>失败</td>" <<<"$0" && grep -q "<td>成功</td>" <<<"$0"' "$(page "")"
expect "and the server's log has them" grep -q "staff sign-in from 127.0.0.1: succeeded" "$work/node/fpm.log"

# --- 7: no cell of a download is a formula to a spreadsheet.
number=40010
for cpu in '=HYPERLINK("x","y")' '+cmd|x' '@SUM(A1)' ' =1+1' '＝1+1' 'a;=1+1' '-2+3'; do
  post u=$number mc=02-00-00-00-04-${number: -2} "cpu=$cpu" >/dev/null
  number=$((number + 1))
done
csv=$(page reports-csv.php)
expect "the CSV quotes every formula cell" bash -c '! grep -q -e ",=HY" -e ",\"=HY" -e ",+cmd" -e ",@SUM" -e ", =1" -e ",＝" -e ",a;=" -e ",-2+" <<<"$0"' "$csv"
expect "and keeps the text" grep -q "'a;=1+1" <<<"$csv"
list=$(page unrecognised.php)
expect "the device list quotes them too" bash -c '! cut -f3 <<<"$0" | grep -q -e "^=" -e "^+" -e "^@" -e "^ =" -e "^＝"' "$list"

# --- 8: date ranges compare as dates, and an empty or reversed one says so.
all=$(query 'SELECT COUNT(*) FROM reports')
expect "to=9999-12-31 holds every report" grep -q "id=\"reports-count\">$all<" <<<"$(page '?to=9999-12-31')"
expect "a reversed range says so" grep -q 'id="range-reversed"' <<<"$(page '?from=2026-12-09&to=2026-01-01')"
expect "an empty range says so" grep -q 'id="range-empty"' <<<"$(page '?to=2001-01-01')"

# --- 9: a report whose Content-Length is shorter than its body is answered.
body=$(printf 'u=%s' 40020)
answer=$(exec 3<>"/dev/tcp/127.0.0.1/$port"
         printf 'POST /kestrel/act/a2014checkmachine/postInfo.php HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n\r\n%s' "$body" >&3
         timeout 5 cat <&3)
expect "a short Content-Length still gets an answer" grep -q '^HTTP/1.1 200' <<<"$answer"

# --- 10: a password setting that is no hash keeps the page closed and says why.
MC_STAFF_PASSWORD_HASH="open sesame" "$node" start "127.0.0.1:$((port + 1))" "$work/invalid"
invalid=$(curl -s -w '\n%{http_code}' "http://127.0.0.1:$((port + 1))/staff/")
expect "a plain-text password setting: the page says it is invalid" \
  bash -c 'grep -q "员工密码设置无效" <<<"$0" && [ "${0##*$'"'"'\n'"'"'}" = 503 ]' "$invalid"
expect "and the log says so" grep -q "MC_STAFF_PASSWORD_HASH is not a hash" "$work/invalid/fpm.log"
"$node" stop "$work/invalid"

# --- What staff need: the list pages, names hide, every name has its
# machines and dates; the daily chart keeps its empty days.
for i in $(seq 1 120); do
  sql "INSERT INTO reports (received_at, client_address, u, mc, cpu, mm, dm, os, rs, hl, pn, nc, ei, ag, sx, pv, tk)
       SELECT '2026-10-0' || ($i % 3 * 3 + 1) || 'T08:00:00Z', client_address, '5$(printf %04d "$i")', mc, cpu, mm,
       'Unknown Adapter $i', os, rs, hl, pn, nc, ei, ag, sx, pv, tk FROM reports WHERE u = '40001'"
done
first_page=$(page "")
expect "the unrecognised list shows 50 names a page" \
  [ "$(grep -o '<td>显卡</td>' <<<"$first_page" | wc -l)" -le 50 ]
expect "with a link to the next page" grep -q 'id="next-page"' <<<"$first_page"
expect "its last page holds the rest" grep -q 'id="previous-page"' <<<"$(page '?page=3')"
expect "each name shows its report dates" grep -q '<td>2026-10-01</td>' <<<"$(page '?page=3')$first_page$(page '?page=2')"
csrf=$(csrf_of "$jar" "$url")
hide() { curl -s -o /dev/null -w '%{http_code}' -b "$jar" --data-urlencode "kind=gpu" \
           --data-urlencode "name=$(printf 'Unknown Adapter 7' | base64)" --data-urlencode "csrf=$1" "$url/staff/hide.php"; }
expect "hiding without the session's token is refused" [ "$(hide wrong)" = 403 ]
expect "hiding with it is done" [ "$(hide "$csrf")" = 303 ]
expect "the hidden name is gone from the list" \
  bash -c '! grep -q ">Unknown Adapter 7<" <<<"$0"' "$(page '')$(page '?page=2')$(page '?page=3')"
curl -s -o /dev/null -b "$jar" --data "action=show&csrf=$csrf" "$url/staff/hide.php"
expect "and back once staff show the hidden ones" \
  grep -q ">Unknown Adapter 7<" <<<"$(page '')$(page '?page=2')$(page '?page=3')"
october=$(page '?from=2026-10-01&to=2026-10-31')
expect "the days without reports are bars of 0" grep -q '<title>2026-10-02: 0</title>' <<<"$october"
sql "UPDATE reports SET received_at = '2026-08-01T08:00:00Z' WHERE u = '50001'"
expect "a range of two months shows weeks" grep -q '每周的报告' <<<"$(page '?from=2026-08-01&to=2026-10-31')"
post u=40031 mc=02-00-00-00-04-31 "dm=$(head -c 2040 /dev/zero | tr '\0' W)" >/dev/null
expect "a 2 KiB device name does not widen the page" \
  node "$here/page_width.mjs" "$url" "$password" "$node_modules"

# --- Per-address limits on the report endpoint (this machine is exempt),
# and the address of each report in the CSV.
limited=0
for i in $(seq 1 40); do
  code=$(curl -s -o /dev/null -w '%{http_code}' --interface 127.0.0.2 --data "u=1" "$url/kestrel/act/a2014checkmachine/postInfo.php")
  [ "$code" = 429 ] && limited=$((limited + 1))
done
expect "a flood from one other address is limited ($limited of 40 refused)" [ "$limited" -gt 0 ]
exempt=0
for i in $(seq 1 40); do
  code=$(curl -s -o /dev/null -w '%{http_code}' --data "u=1" "$url/kestrel/act/a2014checkmachine/postInfo.php")
  [ "$code" = 429 ] && exempt=$((exempt + 1))
done
expect "this machine's own posts are not" [ "$exempt" = 0 ]
sleep 1  # the address's burst refills
MC_SOURCE_ADDRESS=127.0.0.2 post u=40030 mc=02-00-00-00-04-30 >/dev/null
expect "the CSV shows the address a report came from" grep -q '"127.0.0.2"\|,127.0.0.2,' <<<"$(page reports-csv.php)"

# --- 6,000 idle connections do not stop the service: a report is answered
# within a second meanwhile, and as before once they are gone.
php "$here/idle_connections.php" "$port" 6000 "$work/idle-ready" > "$work/idle.log" 2>&1 &
idle=$!
for _ in $(seq 300); do [ -f "$work/idle-ready" ] && break; sleep 0.1; done
expect "6,000 idle connections are open" [ -f "$work/idle-ready" ]
started=$(date +%s%N)
during=$(post u=40040 mc=02-00-00-00-04-40)
took=$((($(date +%s%N) - started) / 1000000))
expect "meanwhile a report is answered within a second ($took ms)" \
  bash -c '[ "$0" -lt 1000 ] && grep -q "\"ret_code\":0" <<<"$1"' "$took" "$during"
kill "$idle" 2>/dev/null
wait "$idle" 2>/dev/null
expect "once they are gone, reports are answered as before" \
  bash -c 'grep -q "\"ret_code\":0" <<<"$0"' "$(post u=40041 mc=02-00-00-00-04-41)"

expectations_met
