#!/usr/bin/env bash
# The player's dialog as a Windows window, as a player uses it: the test
# build of the program under Wine on an X display with a window manager,
# driven with xdotool (mouse and keys), posting to reference services of its
# own. What the windows show is read back as a screen reader reads it
# (window_texts.exe), and a screenshot of each state is kept. Run inside
# xvfb-run:
#   win32_dialog.sh SHOTS PORT PROGRAM.exe WINDOW-TEXTS.exe WINE-RUNNER [ARGS...]
set -u
shots=$1
port=$2
program=$3
window_texts=$4
shift 4
runner=("$@")
here=$(cd "$(dirname "$0")" && pwd)
service="$here/../report/report_service.sh"
work=$(mktemp -d)
pid=""
trap 'kill $wm $pid 2>/dev/null; bash "$service" stop "$port" "$work/own"; bash "$service" stop $((port + 1)) "$work/foreign";
      rm -rf "$work"' EXIT
bash "$service" start "$port" "$work/own" || exit 1
bash "$service" start $((port + 1)) "$work/foreign" other-salt || exit 1
mkdir -p "$shots"
openbox >/dev/null 2>&1 &
wm=$!
failed=0

window_log="$work/out"
. "$here/player_window.sh"
# choose CELL-Y N: opens the combo box in that row and takes its N-th item.
choose() {
  click 18 "$1" 22
  local downs=()
  for _ in $(seq "$2"); do downs+=(Down); done
  keys "${downs[@]}" Return
}
# run PORT: starts the program against the service on PORT.
run() {
  (
    cd "$work" || exit 1
    MC_TEST_COUNTER="win32-$$-$1" MC_TEST_REPORT_SERVICE_PORT="$1" "${runner[@]}" "$program"
  ) > "$work/out" 2>&1 &
  pid=$!
  wait_window Corvo && sleep 1  # Wine settles the new window
}
ended() {
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then fail "the program did not end"; return; fi
  wait "$pid" || fail "the program ended with status $?"
}

# A first report, accepted.
run "$port" || exit 1
focus Corvo
shoot dialog-win32
click 18 5 22
xdotool type --delay 60 20261209
choose 7 3                       # 23-30岁
choose 9 2                       # 华东地区
choose 11 1                      # 男
code=$(texts Corvo | grep -o -x 'Static	[0-9]\{4\}' | cut -f2)
[ -n "$code" ] || fail "no verification code is shown: $(texts Corvo)"
click 18 13 10
xdotool type --delay 60 "$code"
shoot filled-win32
click 6 16 14                    # the start button
wait_window "检测结果" && shoot result-success-win32
texts "检测结果" | grep -q "感谢您参与本次检测" || fail "the result panel shows no thanks: $(texts 检测结果)"
focus "检测结果"
keys Return                      # its OK button has the focus and closes it
wait_gone "检测结果" || fail "the OK button did not close the result panel"
texts Corvo | grep -q -x "Static	$code" && fail "no new code after the submission"
click 24 16 14                   # the help button
wait_window "联系客服" && shoot pavo-win32
focus "联系客服"
keys Escape
wait_gone "联系客服" || fail "Esc did not close the help panel"
click 42 16 14                   # the close button
ended
MC_DB="$work/own/reports.sqlite" php -r '
  $row = (new PDO("sqlite:" . getenv("MC_DB")))->query("SELECT ag, sx, pv FROM reports WHERE u = \"20261209\"")->fetch();
  exit($row && $row["ag"] === "3" && $row["sx"] === "1" && iconv("GBK", "UTF-8", $row["pv"]) === "华东地区" ? 0 : 1);' ||
  fail "the service did not store the report as entered"

# A report the service refuses (signed with other salts).
run $((port + 1)) || exit 1
focus Corvo
click 18 5 22
xdotool type --delay 60 20261210
choose 7 2
choose 9 1
choose 11 2
code=$(texts Corvo | grep -o -x 'Static	[0-9]\{4\}' | cut -f2)
click 18 13 10
xdotool type --delay 60 "$code"
keys Return                      # Enter in the code edit submits
wait_window "检测结果" && shoot result-failure-win32
texts "检测结果" | grep -q "数据校验失败" || fail "the result panel shows no refusal: $(texts 检测结果)"
focus "检测结果"
keys Return                      # here the close button has the focus
wait_gone "检测结果" || fail "the close button did not close the result panel"
focus Corvo
keys Escape
ended

[ "$failed" = 0 ] && echo "win32 dialog: passed (screenshots in $shots)"
exit "$failed"
