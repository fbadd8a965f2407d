# Finding and driving a program's windows on an X display, for the Wine
# window tests (sourced). The caller sets `failed` and may set `window_log`,
# a file whose content a failure shows.
fail() { echo "FAILED: $*"; failed=1; }
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
# wait_window TITLE: waits up to 30 s for a window of that title.
wait_window() {
  for _ in $(seq 300); do
    [ -n "$(window "$1")" ] && return 0
    sleep 0.1
  done
  fail "no window \"$1\" appeared${window_log:+; the program wrote: $(cat "$window_log")}"
  return 1
}
# wait_gone TITLE: waits up to 10 s for that window to close.
wait_gone() {
  for _ in $(seq 100); do
    [ -z "$(window "$1")" ] && return 0
    sleep 0.1
  done
  return 1
}
# focus TITLE: makes that window the active one, as a click on it would.
focus() { xdotool windowactivate --sync "$(window "$1")" >/dev/null 2>&1; sleep 0.2; }
# shoot NAME: the screen, cut to what is drawn, as $shots/NAME.png.
shoot() { sleep 0.6; import -window root png:- | convert - -trim +repage "$shots/$1.png"; }
keys() {
  xdotool key --delay 80 "$@"
  sleep 0.3
}
