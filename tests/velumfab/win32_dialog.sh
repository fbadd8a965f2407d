#!/usr/bin/env bash
# The Win32 dialog for real: the test host under Wine on an X display of
# its own with a window manager, driven by xdotool as a person would drive
# it (type, Tab, Enter, Esc), with a screenshot of the dialog and of each
# panel. Run inside xvfb-run:
#   win32_dialog.sh SCREENSHOT-DIR WINE-RUNNER... VELUM-TEST-HOST.EXE
set -u
shots=$1
shift
runner=("${@:1:$#-1}")
host=${*: -1}
mkdir -p "$shots"
work=$(mktemp -d)
trap 'kill $wm $pid 2>/dev/null; rm -rf "$work"' EXIT
failed=0

openbox >/dev/null 2>&1 &
wm=$!
"${runner[@]}" "$host" > "$work/out" 2>&1 &
pid=$!

. "$(dirname "$0")/../support/x_windows.sh"

wait_window "Corvo" || exit 1
sleep 1  # Wine settles the new window
focus "Corvo"
shoot dialog
xdotool mousemove --window "$(window Corvo)" $((18 * 8 + 88)) $((5 * 24 + 12)) click 1  # into the account edit
sleep 0.3
xdotool type --delay 60 12345
keys Tab Tab Tab Tab Tab Tab Tab Return   # the focus walks the layout order to the help button
wait_window "联系客服" && shoot pavo
focus "联系客服"
keys Escape                                 # Esc stands for the panel's close button
keys shift+Tab Return                       # back to the start button
wait_window "检测结果" && shoot result
focus "检测结果"
keys Return                                 # the OK button closes the result panel
keys Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the dialog did not close"
tr -d '\r' < "$work/out" | grep -q "^account: 12345$" || fail "the typed account did not arrive: $(cat "$work/out")"
tr -d '\r' < "$work/out" | grep -q "^closed by: Btn_Close$" || fail "not closed by Btn_Close: $(cat "$work/out")"
[ "$failed" = 0 ] && echo "win32 dialog: passed (screenshots in $shots)"
exit "$failed"
