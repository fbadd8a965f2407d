#!/usr/bin/env bash
# Reports collected by the reference service feed straight back into the
# batch rating: post two reports, export them, rate the export.
#   export_test.sh PROGRAM PORT
set -euo pipefail
program=$1 port=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap '"$here/report_service.sh" stop "$port" "$work"; rm -rf "$work"' EXIT
"$here/report_service.sh" start "$port" "$work"

post() {  # account cpu ram gpu
  php -r '
    [$_, $port, $u, $cpu, $mm, $dm] = $argv;
    $form = ["u" => $u, "mc" => "00-1B-21-3A-4F-5C", "cpu" => $cpu, "mm" => $mm, "dm" => $dm, "os" => "Windows 10.0, SP 0.0",
             "rs" => "1920x1080, 32bits", "hl" => "1", "pn" => "player@desktop", "nc" => "{0F8A}Intel", "ei" => "0",
             "ag" => "2", "sx" => "1", "pv" => "\xBB\xAA\xB1\xB1\xB5\xD8\xC7\xF8"];
    $form["tk"] = md5($form["u"] . "Q!z8&Lm#4pT*w2e" . $form["mc"] . $form["cpu"] . $form["mm"] . $form["dm"]
                      . "#&!%\$KRTV3N92" . $form["hl"] . $form["ei"] . "v7.201911qx\$");
    $body = http_build_query($form, "", "&", PHP_QUERY_RFC3986);
    $context = stream_context_create(["http" => ["method" => "POST", "content" => $body,
        "header" => "Content-Type: application/x-www-form-urlencoded\r\n"]]);
    echo file_get_contents("http://127.0.0.1:$port/kestrel/act/a2014checkmachine/postInfo.php", false, $context);
  ' "$port" "$@"
}

post 10001 "Intel Core i7 980X @ 3.33GHz" "8192.00 MB" "NVIDIA GeForce GTX 690" | grep -q '"ret_code":0'
post 10002 "Intel Core i5-2400 @ 3.10GHz" "4096.00 MB" "NVIDIA GeForce GTX 660" | grep -q '"ret_code":0'
post 10002 "Intel Core i5-2400 @ 3.10GHz" "4096.00 MB" "NVIDIA GeForce GTX 660" | grep -q '"ret_code":-1'
post 10003 "Intel Core i5-2400 @ 3.10GHz" "4096.00 MB" "" | grep -q '"ret_code":0'  # no graphics adapter
failed=0
for account in "1000 4" "01234" "1234" "123456789012" "1234a"; do  # accounts the dialog never sends
  post "$account" "cpu" "4096.00 MB" "gpu" | grep -q '"ret_code":-2' || { echo "FAILED: account \"$account\" was taken"; failed=1; }
done
# A row stored before the service refused such accounts.
MC_DB="$work/reports.sqlite" php -r '
  $db = new PDO("sqlite:" . getenv("MC_DB"));
  $db->exec("INSERT INTO reports SELECT NULL, received_at, client_address, \"100 04\", mc, cpu, mm, dm, os, rs, hl, pn,
             nc, ei, ag, sx, pv, tk FROM reports WHERE u = \"10001\"");'

MC_REPORT_DSN="sqlite:$work/reports.sqlite" php "$here/../../tools/report-service/export.php" > "$work/reports.txt" \
  2> "$work/export.err"
"$program" --eval_file "$work/reports.txt"
expected=$'10001\t1\t848\n10002\t2\t789\n10003\t-1\t0'
actual=$(cat "$work/reports.txt - result.txt")
if [ "$actual" != "$expected" ]; then
  echo "FAILED: rating the exported reports gave:"
  echo "$actual"
  failed=1
fi
grep -q "1 report(s) could not be written" "$work/export.err" || { echo "FAILED: the left-out row is not counted"; failed=1; }
[ "$failed" = 0 ] && echo "passed"
exit "$failed"
