#!/usr/bin/env bash
# The player's dialog in a real terminal, as a player uses it: the test build
# of the program in tmux, posting to a reference service of its own. Types
# the account, moves with Tab and the arrows, chooses from the lists, types
# the code shown on the screen, presses Enter, reads the result panel, closes
# it and the dialog, and checks the exit status.
#   terminal_dialog.sh PROGRAM PORT
set -u
program=$1
port=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
socket=machinecheck-terminal-$$
. "$here/../support/tmux_screen.sh"
trap 'tmux_ kill-server 2>/dev/null; bash "$here/../report/report_service.sh" stop "$port" "$work/service"; rm -rf "$work"' EXIT
bash "$here/../report/report_service.sh" start "$port" "$work/service" || exit 1
failed=0

mkdir -p "$work/tmp"
tmux_ new-session -d -x 100 -y 30 \
  "cd '$work' && LANG=C.UTF-8 TERM=screen TMPDIR='$work/tmp' XDG_RUNTIME_DIR='$work/tmp' MC_TEST_COUNTER=terminal-$$ \
   MC_TEST_REPORT_SERVICE_PORT=$port '$program'; echo \"status=\$?\"; sleep 60"
keys() {
  tmux_ send-keys "$@"
  sleep 0.2
}

wait_for "Orbi号码：  [" || exit 1
keys 2 0 2 6 1 2 0 9
keys Down Enter Down Down Enter     # the age list: 23-30岁
wait_for "[23-30岁"
keys Down Enter Down Enter          # the region list: 华东地区
wait_for "[华东地区"
keys Down Enter Enter               # the sex list: 男
wait_for "[男 "
keys Up Up Up Tab                   # back to the account edit, then Tab: the code edit
code=$(screen_text | grep "验 证 码" | grep -o '[0-9]\{4\}')
keys "$code" Enter
wait_for "检测结果"
wait_for "感谢您参与本次检测"
wait_for "<    确定    >"
keys Enter                          # the OK button closes the panel
screen_text | grep -q "检测结果" && { echo "FAILED: the result panel is still open"; failed=1; }
screen_text | grep "验 证 码" | grep -q "$code" && { echo "FAILED: no new code after the submission"; failed=1; }
keys Escape                         # Esc stands for the close button
wait_for "status=0"
[ "$failed" = 0 ] && echo "terminal dialog: passed"
exit "$failed"
