#!/usr/bin/env bash
# The terminal dialog for real: the test host in tmux, read back with
# capture-pane. Types the account, moves on with Tab, chooses from the age
# list, closes with Esc, and checks what the screen showed.
#   terminal_dialog.sh VELUM-TEST-HOST
set -u
host=$1
socket=velum-terminal-$$
. "$(dirname "$0")/../support/tmux_screen.sh"
trap 'tmux_ kill-server 2>/dev/null' EXIT
failed=0

tmux_ new-session -d -x 100 -y 30 \
  "cd '$(dirname "$host")' && LANG=C.UTF-8 TERM=screen '$host'; echo \"status=\$?\"; sleep 60"

wait_for "Orbi号码：  [" && wait_for "<  开始检测  >"
tmux_ send-keys 1 2 3 4 5 Tab
wait_for "[12345"
tmux_ send-keys Enter           # the focus is on the age box now: its list opens
wait_for "│18岁以下"
tmux_ send-keys Down Enter
wait_for "[18-22岁"
tmux_ send-keys Escape          # Esc stands for the close button
wait_for "status=0"
wait_for "account: 12345"
wait_for "closed by: Btn_Close"
screen_text | grep -q "┌" && { echo "FAILED: the dialog is still on the screen"; failed=1; }
# Killed while the dialog is open, the host gives the terminal back as it
# found it: echo and line editing on, the dialog gone.
tmux_ kill-server
sleep 1
tmux_ new-session -d -x 100 -y 30 \
  "cd '$(dirname "$host")' && LANG=C.UTF-8 TERM=screen '$host'; echo \"status=\$?\"; stty -a | tr ' ' '\\n' |
   grep -x -e echo -e -echo -e icanon -e -icanon | tr '\\n' ' '; echo; sleep 60"
wait_for "<  开始检测  >"
pkill -TERM -f "^$host\$" || pkill -TERM -x "$(basename "$host")"
wait_for "status=143"
wait_for "icanon echo"
screen_text | grep -q "┌" && { echo "FAILED: the dialog is still on the screen after SIGTERM"; failed=1; }
[ "$failed" = 0 ] && echo "terminal dialog: passed"
exit "$failed"
