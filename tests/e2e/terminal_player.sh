#!/usr/bin/env bash
# The terminal dialog around the letter of its form, as a player meets it in
# tmux: the probe summary that waits, editing at the caret, the mouse, a slow
# service (the busy line, keys made meanwhile dropped), a network error that
# must not land on the dialog, a terminal too small or unable to draw, and
# the signals that end the program (its shared memory goes with it).
#   terminal_player.sh PROGRAM PORT
set -u
program=$1
port=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
sockets=()
. "$here/../support/tmux_screen.sh"
source "$here/../support/expectations.sh"
report_failure() { echo "FAILED: $1"; screen_text; }
silent_pid=""
trap 'for socket in "${sockets[@]}"; do tmux_ kill-server 2>/dev/null; done; [ -n "$silent_pid" ] && kill "$silent_pid" 2>/dev/null;
      bash "$here/../report/report_service.sh" stop "$port" "$work/service"; rm -rf "$work"' EXIT
bash "$here/../report/report_service.sh" start "$port" "$work/service" || exit 1
mkdir -p "$work/tmp"
failed=0

# start NAME [ENV=VALUE...] -- [PROGRAM ARGS...]: the program in a tmux server
# of its own, 100 by 30 cells; "status=N" appears when it ends.
start() {
  local name=$1 environment=()
  shift
  while [ "$1" != -- ]; do environment+=("$1"); shift; done
  shift
  [ -n "${socket:-}" ] && tmux_ kill-server 2>/dev/null
  socket=machinecheck-player-$$-$name
  sockets+=("$socket")
  tmux_ new-session -d -x 100 -y 30 \
    "cd '$work' && env LANG=C.UTF-8 TERM=screen TMPDIR='$work/tmp' XDG_RUNTIME_DIR='$work/tmp' \
     MC_TEST_COUNTER=player-$name-$$ MC_TEST_REPORT_SERVICE_PORT=$port ${environment[*]} \
     '$program' $* 2>'$work/$name.err'; echo \"status=\$?\"; sleep 60"
}
keys() {
  tmux_ send-keys "$@"
  sleep 0.2
}
# The row and column (from 0) where TEXT first shows on the screen.
position_of() {
  local row=0 line before
  while IFS= read -r line; do
    if [[ "$line" == *"$1"* ]]; then
      before=${line%%"$1"*}
      echo "$row $(printf '%s' "$before" | wc -L)"
      return 0
    fi
    row=$((row + 1))
  done < <(screen_text)
  return 1
}
# A click of the left button on TEXT (with OFFSET more columns), as the
# terminal reports it (X10 mouse encoding).
click_on() {
  local at row column
  at=$(position_of "$1") || { echo "FAILED: \"$1\" is not on the screen to click"; failed=1; return 1; }
  read -r row column <<<"$at"
  column=$((column + ${2:-0}))
  tmux_ send-keys -l "$(printf '\e[M %b%b' "\\x$(printf %x $((33 + column)))" "\\x$(printf %x $((33 + row)))")"
  tmux_ send-keys -l "$(printf '\e[M#%b%b' "\\x$(printf %x $((33 + column)))" "\\x$(printf %x $((33 + row)))")"
  sleep 0.3
}
field() { screen_text | grep "$1" | head -n 1; }

# --- The probe summary waits for the player before the dialog opens.
start info -- --show_info
wait_for "Probe Information"
wait_for "Times:"
expect "the dialog does not cover the summary" bash -c '! tmux -L "$0" capture-pane -p | grep -q "Orbi号码"' "$socket"
keys Enter
expect "Enter on the summary opens the dialog" wait_for "Orbi号码："
keys Escape
wait_for "status=0"
expect "the summary stays readable afterwards" bash -c 'tmux -L "$0" capture-pane -p -S -200 | grep -q "MAC:"' "$socket"

# --- Editing at the caret, and the mouse.
start edit --
wait_for "Orbi号码：  ["
keys 1 2 3 4 5 Left Left 9
expect "a key typed after Left goes in before the caret" wait_for "[123945"
keys Home Delete End BSpace
expect "Home, Delete, End and Backspace edit where the caret is" wait_for "[2394 "
click_on "Orbi号码：  [2394" 14
keys 7
expect "a click in the field puts the caret there" wait_for "[27394"
click_on "联系客服"
expect "a click on the help button opens its panel" wait_for "封测期间遇到问题"
click_on "返回"
expect "a click on its button closes it" bash -c 'sleep 0.3; ! tmux -L "$0" capture-pane -p | grep -q "封测期间遇到问题"' "$socket"
click_on "所在地区：  [请选择" 12
expect "a click on a list box opens its list" wait_for "│华北地区"
click_on "│华南地区" 1
expect "a click on an item chooses it" wait_for "[华南地区"
code=$(field "验 证 码" | grep -o '[0-9]\{4\}' | head -n 1)
click_on "$code"
expect "a click on the code shows a new one" bash -c '! tmux -L "$0" capture-pane -p | grep "验 证 码" | grep -q "$1"' "$socket" "$code"
click_on "<    关闭    >" 5
wait_for "status=0"

# --- A slow service: the player sees that the report is on its way, and
# the Enters they press meanwhile do not close the result unseen.
php -r '$s = stream_socket_server("tcp://127.0.0.1:'"$((port + 1))"'"); sleep(60);' &
silent_pid=$!
for _ in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$((port + 1))") 2>/dev/null && break; sleep 0.1; done
start slow MC_TEST_REPORT_SERVICE_PORT=$((port + 1)) MC_TEST_REPORT_DEADLINE_MS=2500 --
wait_for "Orbi号码：  ["
keys 2 0 2 6 1 2 0 9 Down Enter Down Enter Down Enter Down Enter Down Enter Enter Up Up Up Tab
code=$(field "验 证 码" | grep -o '[0-9]\{4\}' | head -n 1)
keys "$code" Enter
expect "while the report is on its way the screen says so" wait_for "正在提交，请稍候…"
keys Enter Enter
expect "the failure is shown" wait_for "数据提交失败，请稍后再尝试。"
sleep 0.5
expect "the Enters pressed meanwhile did not close it" wait_for "检测结果"
expect "no error text lands on the dialog" bash -c '! tmux -L "$0" capture-pane -p | grep -q -e "read_until" -e "boost"' "$socket"
keys Enter Escape
wait_for "status=0"
expect "the held error text reaches standard error after the dialog" grep -q "read_until: no answer" "$work/slow.err"
kill "$silent_pid" 2>/dev/null
silent_pid=""

# --- A terminal too small: a notice that names the way out, and no key acts
# on the hidden dialog; once large enough, the dialog is back.
start small --
wait_for "Orbi号码：  ["
tmux_ resize-window -x 40 -y 15
expect "too small: the notice says so and how to quit" wait_for "Ctrl-C"
expect "its numbers are not cut" bash -c 'tmux -L "$0" capture-pane -p | tr -d "\n" | grep -q "62×19"' "$socket"
keys Escape Enter
sleep 0.3
expect "Esc does not close the hidden dialog" bash -c '! tmux -L "$0" capture-pane -p | grep -q "status="' "$socket"
tmux_ resize-window -x 100 -y 30
expect "large enough again: the dialog is back" wait_for "Orbi号码：  ["
keys Escape
wait_for "status=0"

# --- A terminal that cannot draw the dialog is refused, clearly.
start dumb TERM=dumb --
expect "TERM=dumb: refused with a non-zero exit" wait_for "status=2"
expect "and the reason" bash -c 'tmux -L "$0" capture-pane -p | tr -d "\n" | grep -q "TERM=dumb"' "$socket"

# --- Ended by a signal, the program takes its shared memory along.
for signal in TERM INT HUP; do
  start "signal-$signal" --
  wait_for "Orbi号码：  ["
  pid=$(pgrep -P "$(tmux_ list-panes -F '#{pane_pid}')" -f "$program") || pid=""
  expect "SIG$signal: the channel exists while the dialog runs" [ -e "/dev/shm/${pid}MOX_Share_Mem" ]
  kill -s "$signal" "$pid"
  for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  expect "SIG$signal: the channel is gone with the program" [ ! -e "/dev/shm/${pid}MOX_Share_Mem" ]
done

expectations_met
