#!/usr/bin/env bash
# The player's dialog, played by the script backend in the test build of the
# program, against reference report services on loopback that this script
# starts (one with the program's salts, one with others). Each case runs the
# program once, with counter stores of its own, and checks the transcript of
# what the dialog showed, the exit status, and what reached the service.
#   dialog_flow.sh linux PROGRAM FIRST-PORT
#   dialog_flow.sh windows PROGRAM.exe FIRST-PORT WINE-RUNNER [RUNNER ARGS...]
set -u
platform=$1
program=$2
port=$3
shift 3
runner=("$@")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/expectations.sh"
service_script="$here/../report/report_service.sh"
work=$(mktemp -d)
own="$work/service-own"
foreign="$work/service-foreign"
silent_pid=""
trap 'bash "$service_script" stop "$port" "$own"; bash "$service_script" stop $((port + 1)) "$foreign";
      [ -n "$silent_pid" ] && kill "$silent_pid"; rm -rf "$work"' EXIT
bash "$service_script" start "$port" "$own" || exit 1
bash "$service_script" start $((port + 1)) "$foreign" other-salt || exit 1
run_id=$$

native_path() {
  if [ "$platform" = windows ]; then
    local path="Z:$1"
    printf '%s' "${path//\//\\}"
  else
    printf '%s' "$1"
  fi
}

# play CASE STEPS [OPTIONS...]: runs the program with the script STEPS; sets
# status, and the files $work/CASE.transcript and $work/CASE.out. The
# variables service_port and deadline_ms, when set, go to the test build.
play() {
  local name=$1 steps=$2
  shift 2
  printf '%s\n' "$steps" > "$work/$name.steps"
  : > "$work/$name.transcript"
  (
    cd "$work" || exit 1
    export VELUM_BACKEND=script MACHINECHECK_MESSAGE_BOXES=print \
      VELUM_SCRIPT="$(native_path "$work/$name.steps")" VELUM_TRANSCRIPT="$(native_path "$work/$name.transcript")" \
      MC_TEST_REPORT_SERVICE_PORT="${service_port:-$port}" MC_TEST_REPORT_DEADLINE_MS="${deadline_ms:-3000}" \
      MC_TEST_COUNTER="$name-$run_id" TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/tmp"
    mkdir -p "$work/tmp"
    "${runner[@]}" "${copy:-$program}" "$@"
  ) > "$work/$name.out" 2> "$work/$name.err"
  status=$?
  transcript="$work/$name.transcript"
  case_name=$name
}

report_failure() {
  echo "FAILED: $case_name: $1 (status $status)"
  echo "--- transcript:"
  cat "$transcript"
  echo "--- standard output and error:"
  cat "$work/$case_name.out" "$work/$case_name.err"
}

# in_order TEXT...: the transcript holds the texts on lines in this order.
in_order() {
  local line=0 text found
  for text in "$@"; do
    found=$(tail -n +$((line + 1)) "$transcript" | grep -n -F -m 1 -- "$text" | cut -d: -f1)
    [ -n "$found" ] || return 1
    line=$((line + found))
  done
}
in_order_file() {
  local saved=$transcript result
  transcript=$1
  shift
  in_order "$@"
  result=$?
  transcript=$saved
  return $result
}
count() { grep -c -F -- "$1" "$transcript"; }
passes() { grep -q -x "script passed" "$transcript"; }
posts() { grep -c "POST http" "$1/access.log"; }
# The stored rows of an account: "age|sex|region|processor", one per row.
stored() {
  MC_DB="$own/reports.sqlite" MC_ACCOUNT="$1" php -r '
    $db = new PDO("sqlite:" . getenv("MC_DB"));
    $rows = $db->prepare("SELECT ag, sx, pv, cpu FROM reports WHERE u = ?");
    $rows->execute([getenv("MC_ACCOUNT")]);
    foreach ($rows as $row) echo $row["ag"], "|", $row["sx"], "|", iconv("GBK", "UTF-8", $row["pv"]), "|", $row["cpu"], "\n";'
}

account_box="message-box [提示] Orbi号码输入有误，请重新输入"
ok=0
# A filled-in form of account $1, then the start button.
submit() {
  printf 'type Edit_Orbi %s\nchoose Combo_Age 2\nchoose ComboBox_PV 3\nchoose Combo_Sex 1\n' "$1"
  printf 'copy Static_Captcha Edit_Captcha\nclick Button_Start\nexpect open Result\n'
}
resubmit() { printf 'copy Static_Captcha Edit_Captcha\nclick Button_Start\nexpect open Result\n'; }

# --- Validation: which box, in which order; nothing posted.
retype() { printf 'key Button_Start Tab\ntype Edit_Orbi %s\nclick Button_Start\n' "$1"; }
play validation "click Button_Start
$(retype 1234)
$(retype 123456789012)
$(retype 01234)
$(retype 1234a)
$(retype '12345 ')
$(retype 12345)
$(retype 12345678901)
choose Combo_Age 1
click Button_Start
choose ComboBox_PV 2
click Button_Start
choose Combo_Sex 1
copy Static_Captcha Edit_Captcha
type Edit_Captcha 9
click Button_Start
expect text Edit_Captcha
click Btn_Close"
expect "the dialog closes with exit status 0" [ "$status" = 0 ]
expect "the script passes" passes
expect "4 or 12 digits, a leading zero, a letter and a trailing blank are refused" [ "$(count "$account_box")" = 6 ]
expect "5 and 11 digits pass; then age, region, sex, code, each box once, in order" \
  in_order "$account_box" "message-box [提示] 请选择您的年龄范围" "message-box [提示] 请选择您的年龄范围" \
  "message-box [提示] 请选择您所在地区" "message-box [提示] 请选择您的性别" "message-box [提示] 验证码输入有误，请重新输入" \
  "text Static_Captcha" "text Edit_Captcha \"\""
expect "every refusal is one box and nothing else" [ "$(count "message-box")" = 11 ]
expect "nothing reached the service" [ "$(posts "$own")" = 0 ]

# --- Keys: the Tab cycle, Enter, the code label, the help panel.
play keys "key Edit_Orbi Tab
expect focus Edit_Captcha
key Edit_Captcha Tab
expect focus Button_Start
key Button_Start Tab
expect focus Edit_Orbi
key Combo_Age Tab
expect focus Combo_Age
key Edit_Orbi Enter
key Edit_Captcha Enter
key Combo_Age Enter
key ComboBox_PV Space
click Static_Captcha
expect text Edit_Captcha
click Btn_Navigation4
expect open Pavo
click Pavo_Close
expect closed Pavo
click Btn_Close"
expect "the keys script passes" passes
expect "Tab elsewhere is only marked handled, in all three messages" \
  in_order "event Combo_Age key key-down Tab: handled" "event Combo_Age key char 0x9: handled" \
  "event Combo_Age key key-up Tab: handled"
expect "Enter in the account and the code edit submits; on a combo box it does not" \
  [ "$(count "$account_box")" = 2 ]
expect "the code label's click shows a new code" in_order "step 13 " "text Static_Captcha" "text Edit_Captcha \"\"" "event Static_Captcha click"

# --- Against the service: accepted, repeated, then the limit of two.
play accepted "$(submit 10000001)
expect visible Button_OK
expect hidden Button_OK_Close
expect color Static_Msg 0xC1D506
expect contains Static_Msg 感谢您参与本次检测
click Button_OK
expect closed Result
$(resubmit)
expect hidden Button_OK
expect visible Button_OK_Close
expect color Static_Msg 0x1717C5
expect contains Static_Msg 您已经提交过检测结果
click Button_OK_Close
expect closed Result
$(resubmit)
expect text Static_Msg 您的电脑重复参与检测，无法参加Corvo系统积分活动。
expect visible Button_OK_Close
click Result_Close
click Btn_Close"
expect "the accepted, repeated and limited script passes" passes
expect "the OK button closes the result panel, then a new code shows" \
  in_order "event Button_OK click: not handled" "close Result" "text Static_Captcha"
expect "two posts reached the service; the third submission sent nothing" [ "$(posts "$own")" = 2 ]
stored_row=$(stored 10000001)
expect "the stored row holds the answers (age and sex + 1, the region's name) and the processor" \
  [ "${stored_row%|*}" = "3|2|华中地区" ] && [ -n "${stored_row##*|}" ]

# --- A bad token is the service's logic error: shown, never counted.
service_port=$((port + 1)) play bad_token "$(submit 10000002)
expect contains Static_Msg 数据校验失败
expect visible Button_OK_Close
expect color Static_Msg 0x1717C5
click Button_OK_Close
$(resubmit)
click Button_OK_Close
$(resubmit)
expect contains Static_Msg 数据校验失败
click Button_OK_Close
click Btn_Close"
expect "a refused report is shown and not counted" passes

# --- A counter that reads 2 already: the repeat message, nothing sent.
before=$(posts "$own")
counter_file="708E0519-E312-434D-8AFA-ABE58FFD07E2.tmp-test-limit-$run_id"
if [ "$platform" = windows ]; then
  temp=$("${runner[@]}" cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
  temp=$(WINEPREFIX=$(realpath -m "${runner[1]}") winepath -u "$temp" 2>/dev/null)
else
  temp="$work/tmp"
fi
mkdir -p "$temp"
printf '\002' > "$temp/$counter_file"
play limit "$(submit 10000003)
expect text Static_Msg 您的电脑重复参与检测，无法参加Corvo系统积分活动。
expect visible Button_OK_Close
expect hidden Button_OK
click Button_OK_Close
click Btn_Close"
expect "a machine that submitted twice is refused" passes
expect "the service received nothing from it" [ "$(posts "$own")" = "$before" ]

# --- Network failures: nothing listening, and a service that never answers.
free_port=$((port + 2))
service_port=$free_port play refused "$(submit 10000004)
expect text Static_Msg 数据提交失败，请稍后再尝试。
expect visible Button_OK_Close
click Button_OK_Close
click Btn_Close"
expect "with nothing listening the player is told to try later" passes
expect "the error goes to standard error" grep -q "^connect" "$work/refused.err"
expect "and to the event log" grep -q "MoxMainDlg: the report could not be sent: connect" "$work/NewVelumLog.txt"
service_port=$free_port play refused_info "$(submit 10000004)
expect contains Static_Msg 网络错误:connect
click Button_OK_Close
click Btn_Close" --show_info
expect "with --show_info the error itself is shown" passes
expect "--show_info shows the probe information before the dialog" \
  in_order "message-box [Probe Information] MAC:" "open Main"

php -r '$s = stream_socket_server("tcp://127.0.0.1:'"$free_port"'"); sleep(60);' &
silent_pid=$!
for _ in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$free_port") 2>/dev/null && break; sleep 0.1; done
service_port=$free_port deadline_ms=1500 play silent "$(submit 10000005)
expect text Static_Msg 数据提交失败，请稍后再尝试。
click Button_OK_Close
click Btn_Close"
expect "a silent service fails within the deadline" passes
service_port=$free_port deadline_ms=1500 play silent_info "$(submit 10000005)
expect contains Static_Msg 网络错误:read_until: no answer from the report service within 1.5 s
click Button_OK_Close
click Btn_Close" --show_info
expect "with --show_info the time-out is named" passes

# --- A script that runs out while the dialog is open ends the program with
# the failure code instead of hanging.
play runs_out "type Edit_Orbi 1"
expect "a dialog the player never closed ends with the failure code" [ "$status" != 0 ]
expect "the transcript says so" grep -q "FAIL the script ran out while Main is open" "$transcript"

# --- The exit status and the transcript's last line always agree.
last_line() { tail -n 1 "$transcript"; }
play ended "type Edit_Orbi 1
end"
expect "end closes the dialog as the player would: passed, exit 0" \
  bash -c '[ "$0" = 0 ] && [ "$1" = "script passed" ]' "$status" "$(last_line)"
play failed_late "click Btn_Close
expect open Main"
expect "a step left after the dialog closed: FAILED, failure exit code" \
  bash -c '[ "$0" != 0 ] && [ "$1" = "script FAILED" ]' "$status" "$(last_line)"
play unreadable "click Btn_Close
clik Btn_Close"
expect "a script that cannot be read: FAILED, failure exit code" \
  bash -c '[ "$0" != 0 ] && [ "$1" = "script FAILED" ]' "$status" "$(last_line)"
expect "and it says why" grep -q 'FAIL .*unknown step "clik"' "$transcript"

# --- A program beside a broken installation: one clear message box naming
# what is missing and where, the failed check in the event log, the failure
# exit code; never a dialog with missing controls.
program_dir=$(dirname "$program")
library=$(cd "$program_dir" && ls VelumFab.*)
# installation DIR PIECES...: the program and the named pieces in DIR.
installation() {
  local dir=$1 piece
  shift
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$program" "$dir/"
  for piece in "$@"; do cp "$program_dir/$piece" "$dir/"; done
  copy="$dir/$(basename "$program")"
}
log_says() { tr -d '\r' < "$work/NewVelumLog.txt" | grep -q -F -- "$1"; }

installation "$work/bare"
play bare "click Btn_Close"
expect "without Velum.ini the program fails" [ "$status" != 0 ]
expect "the box says Velum.ini is missing and where it was looked for" \
  grep -q -F "找不到设置文件 Velum.ini。 查找位置：$(native_path "$work/bare/Velum.ini")" "$transcript"
expect "the event log names the failed check" log_says "MoxMainDlg: check failed: mUILib"
[ "$platform" = linux ] && VELUM_DEBUG_OUTPUT=1 play bare "click Btn_Close" &&
  expect "the debugger output has the loader's report and the check" \
    in_order_file "$work/bare.err" "[Velum_Error] Load VelumFab.dll Fail." "[Velum_Error] MoxMainDlg: check failed: mUILib"

installation "$work/no-library" Velum.ini
play no_library "click Btn_Close"
expect "without the library the program fails" [ "$status" != 0 ]
expect "the box names the settings file and the library it names" \
  grep -q -F "界面组件库无法加载。 设置文件：$(native_path "$work/no-library/Velum.ini") 组件库：$(native_path "$work/no-library/$library")" "$transcript"

installation "$work/redirected" Velum.ini "$library"
printf '[Redirect]\r\nPath=elsewhere.ini\r\n' > "$work/redirected/Velum.ini"
play redirected "click Btn_Close"
expect "Velum.ini redirecting to a missing file: the box names that file" \
  grep -q -F "转向的设置文件 $(native_path "$work/redirected/elsewhere.ini") 不存在" "$transcript"
expect "and so does the event log" log_says "elsewhere.ini"

installation "$work/no-layout" Velum.ini "$library"
play no_layout "click Btn_Close"
expect "without Main.mox the program fails" [ "$status" != 0 ]
expect "the box names the layout file" grep -q -F "界面布局无法使用。 布局文件：$(native_path "$work/no-layout/Main.mox")" "$transcript"
expect "the event log has the library's reason and the failed check" \
  log_says "VelumFab: cannot read the layout" && log_says "MoxMainDlg: check failed: success"

installation "$work/no-pavo" Velum.ini "$library"
sed -e '/^  <requires>/,/<\/requires>/d' -e '/<panel name="Pavo"/,/<\/panel>/d' "$program_dir/Main.mox" > "$work/no-pavo/Main.mox"
play no_pavo "click Btn_Close"
expect "a layout without a control the dialog binds fails" [ "$status" != 0 ]
expect "the box names the control" grep -q -F "界面布局缺少控件 Pavo。" "$transcript"
expect "the dialog never opened" [ "$(count "open Main")" = 0 ]

installation "$work/ninth" Velum.ini "$library"
sed 's|<item>其他地区</item>|&<item>第九地区</item>|' "$program_dir/Main.mox" > "$work/ninth/Main.mox"
play ninth "type Edit_Orbi 12345
choose Combo_Age 1
choose ComboBox_PV 8
click Button_Start
click Btn_Close"
expect "a ninth region is refused like no region" in_order "select ComboBox_PV 8" "message-box [提示] 请选择您所在地区"
copy=""

expectations_met
