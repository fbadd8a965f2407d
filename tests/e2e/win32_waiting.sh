#!/usr/bin/env bash
# The Windows window around the letter of its form, as a player meets it
# under Wine: the combo boxes' prompt, a message box that holds the dialog's
# input, the keys that reach every control, and a slow service (the dialog
# waits, and the keys pressed meanwhile do not close the result unseen).
# Run inside xvfb-run:
#   win32_waiting.sh SHOTS PORT PROGRAM.exe WINDOW-TEXTS.exe WINE-RUNNER [ARGS...]
set -u
shots=$1
port=$2
program=$3
window_texts=$4
shift 4
runner=("$@")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=""
silent=""
trap 'kill $wm $pid $silent 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$shots"
openbox >/dev/null 2>&1 &
wm=$!
failed=0
window_log="$work/out"
. "$here/player_window.sh"

# A service that takes connections and never answers: each post waits for
# the whole deadline.
php -r '$s = stream_socket_server("tcp://127.0.0.1:'"$port"'"); sleep(120);' &
silent=$!
(
  cd "$work" || exit 1
  MC_TEST_COUNTER="waiting-$$" MC_TEST_REPORT_SERVICE_PORT=$port MC_TEST_REPORT_DEADLINE_MS=4000 "${runner[@]}" "$program"
) > "$work/out" 2>&1 &
pid=$!
wait_window Corvo && sleep 1
focus Corvo

# The combo boxes show their prompt while nothing is chosen: grey text in
# the age box's field.
grey=$(import -window "$(window Corvo)" -crop "120x18+$((18 * 8 + 4))+$((7 * 24 + 3))" png:- |
       convert - -fuzz 12% -fill black +opaque "#808080" -fill white -opaque "#808080" -format "%[fx:round(mean*w*h)]" info:)
[ "${grey:-0}" -gt 15 ] || fail "the age box shows no grey prompt ($grey grey pixels)"

# A message box holds the dialog: a click on the dialog behind it does
# nothing, and no second box follows.
click 6 16 14                      # start, with nothing filled in
wait_window "提示" || exit 1
click 6 16 14                      # on the dialog again, while the box is open
texts Corvo | grep -q -x "Window	disabled" || fail "the dialog takes input while the box is open"
focus "提示"
keys Return
wait_gone "提示" || fail "the box did not close"
sleep 1
[ -z "$(window 提示)" ] || fail "a second box came from a click made while the first was open"

# Keys reach every control: Down moves on from the account edit to the age
# box, Enter opens its list, Down and Enter choose.
click 18 5 22
keys Down
texts Corvo | grep -q -x "Focus	ComboBox	.*" || fail "Down did not move to the age box: $(texts Corvo | grep Focus)"
keys Return Down Return
texts Corvo | grep -q -x "ComboBox	18岁以下" || fail "the keys did not choose the first age: $(texts Corvo | grep ComboBox)"

# A slow service: the dialog waits, and the Enters pressed meanwhile do not
# reach the result panel.
click 18 5 22
xdotool type --delay 60 20261209
click 18 9 22
keys Down Return
click 18 11 22
keys Down Return
code=$(texts Corvo | grep -o -x 'Static	[0-9]\{4\}' | cut -f2)
click 18 13 10
xdotool type --delay 60 "$code"
keys Return                        # Enter in the code edit submits
sleep 0.5
texts Corvo | grep -q -x "Window	disabled" || fail "the dialog takes input while the report is on its way"
keys Return Return
wait_window "检测结果" || exit 1
sleep 1.5
[ -n "$(window 检测结果)" ] || fail "the Enters pressed while waiting closed the result panel"
texts "检测结果" | grep -q "数据提交失败" || fail "the result is not the network failure: $(texts 检测结果)"
focus "检测结果"
keys Return
wait_gone "检测结果" || fail "the result panel did not close"
focus Corvo
keys Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end"

[ "$failed" = 0 ] && echo "win32 waiting: passed"
exit "$failed"
