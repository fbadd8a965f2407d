#!/usr/bin/env bash
# Runs the real program in each command-line mode and checks what a user
# sees: output, exit code and result file.
#   command_line_modes.sh linux PROGRAM
#   command_line_modes.sh windows PROGRAM.exe WINE-RUNNER [RUNNER ARGS...]
# The Windows program runs from a batch file under Wine's cmd, so the exit
# code is read on the Windows side (a Linux parent sees it modulo 256).
set -u
platform=$1
program=$2
shift 2
runner=("$@")

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/expectations.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

native_path() {
  if [ "$platform" = windows ]; then
    local path="Z:$1"
    printf '%s' "${path//\//\\}"
  else
    printf '%s' "$1"
  fi
}

# run ARGS...: sets status, and out/err (the Windows program has no console:
# its messages are message boxes, so out stays empty there; without a
# display a box that cannot be shown goes to standard error).
run() {
  if [ "$platform" = windows ]; then
    {
      printf '@echo off\r\n"%s"' "$(native_path "$program")"
      for arg in "$@"; do printf ' "%s"' "$arg"; done
      printf '\r\necho %%ERRORLEVEL%%> "%s"\r\n' "$(native_path "$work/status")"
    } > "$work/run.cmd"
    (unset DISPLAY; "${runner[@]}" cmd /c "$(native_path "$work/run.cmd")") > "$work/out" 2> "$work/err"
    status=$(tr -d '\r\n ' < "$work/status")
    out="" err=$(tr -d '\r' < "$work/err")
  else
    "$program" "$@" > "$work/out" 2> "$work/err"
    status=$?
    out=$(cat "$work/out") err=$(cat "$work/err")
  fi
}

report_failure() {
  echo "FAILED: $1 (status $status)"
  [ -n "$out" ] && echo "  stdout: $out"
  [ -n "$err" ] && echo "  stderr: $err"
}
contains() { [[ "$1" == *"$2"* ]]; }
linux() { [ "$platform" = linux ]; }

i7="Intel Core i7 980X @ 3.33GHz|NVIDIA GeForce GTX 690|8"

# Without a display the Windows box goes to standard error.
run --version
expect "--version shows the program's version" contains "$out$err" "MachineCheck $MC_EXPECTED_VERSION"
expect "and exits with 0" [ "$status" = 0 ]

run --eval "$i7"
if linux; then
  expect "eval shows the report" contains "$out" $'[Evaluation]\nCPU: Intel Core i7 980X @ 3.33GHz\t10500\nGPU: NVIDIA GeForce GTX 690\t14000\nLevel: 1\nGainExtra: 348'
  expect "eval exits with 0 on Linux" [ "$status" = 0 ]
fi

run --eval "$i7" --mute
if linux; then
  expect "muted eval prints only the bonus" [ "$out" = 348 ]
else
  expect "eval exit code is the bonus" [ "$status" = 348 ]
fi

run --eval "A|B|C|4" --mute
expect "unknown devices give bonus 0" [ "$status" = 0 ]
linux && expect "unknown devices print 0" [ "$out" = 0 ]
run --eval "A|B|C|4"
linux && expect "the graphics adapter is the text between first and last bar" contains "$out" $'GPU: B|C\t0\nLevel: -1\nGainExtra: 0'

printf '10001\ta\tb\tIntel Core i5-2400 @ 3.10GHz\t4096.00 MB\tNVIDIA GeForce GTX 660\r\n' > "$work/list.txt"
run --show_info --eval_file "$(native_path "$work/list.txt")" --eval "$i7" --mute
expect "eval wins over eval_file and show_info" [ ! -e "$work/list.txt - result.txt" ]
linux && expect "eval wins: nothing but the bonus" [ "$out" = 348 ]

run --bogus
expect "an unknown option fails with an exit code that is no bonus" [ "$status" = "$(linux && echo 2 || echo -1)" ]
linux && expect "an unknown option is named" contains "$err" "unrecognised option '--bogus'"

run --eval "A|B|eight"
expect "memory that is no number fails" [ "$status" = "$(linux && echo 2 || echo -1)" ]
expect "memory that is no number is named, even without a display" contains "$err" 'The memory size "eight"'
run --eval "A|B|1e30"
expect "memory out of range is named so" contains "$err" 'is out of range'

if linux; then
  run --eval "显卡|é|8"
  expect "names typed in the terminal's encoding come back as typed" contains "$out" $'CPU: 显卡\t0\nGPU: é\t0'
fi

printf 'id\tdate\tuser\tCPU\tRAM\tGPU\r\n' > "$work/list.txt"
printf '10001\ta\tb\tIntel Core i7 980X @ 3.33GHz\t8192.00 MB\tNVIDIA GeForce GTX 690\r\n' >> "$work/list.txt"
printf '10001\ta\tb\tIntel Core i5-2400 @ 3.10GHz\t4096.00 MB\tNVIDIA GeForce GTX 660\textra\r\n' >> "$work/list.txt"
printf '10003\ta\tb\tIntel Core i5-2400 @ 3.10GHz\t4096.00 MB\tNo Such Graphics' >> "$work/list.txt"
run --eval_file "$(native_path "$work/list.txt")"
expect "batch mode exits with 0" [ "$status" = 0 ]
expect "batch mode writes the result file" [ -f "$work/list.txt - result.txt" ]
expect "batch results" [ "$(tr -d '\r' < "$work/list.txt - result.txt")" = $'10001\t1\t848\n10001\t2\t789\n10003\t-1\t0' ]

run --eval_file "$(native_path "$work/missing.txt")"
expect "a device list that cannot be opened fails" [ "$status" = "$(linux && echo 2 || echo -1)" ]
expect "no result file for a missing list" [ ! -e "$work/missing.txt - result.txt" ]
linux && expect "the missing list is named" contains "$err" "Cannot open the device list"

run
expect "normal mode without a terminal or desktop fails with the failure code" [ "$status" = "$(linux && echo 2 || echo -1)" ]
linux && expect "normal mode without a terminal says the dialog cannot be shown" contains "$out" "无法显示检测界面"

if linux; then
  run --show_info
  expect "show_info shows the probe summary" contains "$out" $'[Probe Information]\nMAC:\t'
  expect "show_info shows every probe entry" contains "$out" $'\n\nHost:\t'
  expect "show_info ends with the rating summary" contains "$out" $'\n\nCPU: '
  expect "show_info is followed by the dialog, which needs a terminal" [ "$status" = 2 ]
fi

expectations_met
