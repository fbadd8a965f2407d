# The player's dialog window under Wine, for the e2e window tests (sourced
# after setting `runner`, the Wine runner, and `window_texts`, the program
# that reads a window's texts back).
. "$(dirname "${BASH_SOURCE[0]}")/../support/x_windows.sh"
# texts TITLE: what the windows of that title show, as a screen reader reads it.
texts() { "${runner[@]}" "$window_texts" "$1" 2>/dev/null | tr -d '\r'; }
# click CELL-X CELL-Y WIDTH: the middle of a control of the layout (cells of
# 8 by 24 pixels) in the dialog's window.
click() {
  xdotool mousemove --window "$(window Corvo)" $(($1 * 8 + $3 * 4)) $(($2 * 24 + 12)) click 1
  sleep 0.3
}
