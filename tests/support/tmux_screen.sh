# Reading a program's screen in tmux, for the terminal tests (sourced).
# The caller sets `socket` (its tmux server) and `failed`.
tmux_() { tmux -L "$socket" "$@"; }
screen_text() { tmux_ capture-pane -p; }
# wait_for TEXT: true once the screen shows TEXT (ten seconds at most); else
# the screen is printed and the test has failed.
wait_for() {
  for _ in $(seq 100); do
    screen_text | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  echo "FAILED: the screen never showed \"$1\":"
  screen_text
  failed=1
  return 1
}
