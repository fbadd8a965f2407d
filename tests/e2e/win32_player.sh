#!/usr/bin/env bash
# The Windows build for a player whose name a Western code page cannot write
# (张三 on code page 1252), in a Wine prefix of that user's own: the counter
# file is found again on every run (a third submission is refused), and the
# report carries the name in code page 936. Then the same prefix under a
# Chinese and again a Western locale: the dialog fonts stay linked to the
# CJK font.
#   win32_player.sh PROGRAM.exe PORT WINE-RUNNER
set -u
program=$1
port=$2
runner=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/expectations.sh"
work=$(mktemp -d)
trap 'bash "$here/../report/report_service.sh" stop "$port" "$work/service"; WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null;
      rm -rf "$work"' EXIT
bash "$here/../report/report_service.sh" start "$port" "$work/service" || exit 1

# Locales of the test's own, so that Wine takes code page 1252 or 936.
export LOCPATH="$work/locales"
mkdir -p "$LOCPATH"
localedef -i en_US -f UTF-8 "$LOCPATH/en_US.UTF-8" 2>/dev/null
localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" 2>/dev/null
export USER=张三
cp "$program" "$(dirname "$program")/Velum.ini" "$(dirname "$program")/Main.mox" "$(dirname "$program")"/VelumFab.dll "$work/"

# play LANG ACCOUNT: one submission as the script backend plays it; the
# transcript is $work/ACCOUNT.transcript.
play() {
  local lang=$1 account=$2
  printf 'type Edit_Orbi %s\nchoose Combo_Age 1\nchoose ComboBox_PV 0\nchoose Combo_Sex 0\n' "$account" > "$work/$account.steps"
  printf 'copy Static_Captcha Edit_Captcha\nclick Button_Start\nexpect open Result\nend\n' >> "$work/$account.steps"
  (
    cd "$work" || exit 1
    LANG=$lang VELUM_BACKEND=script MACHINECHECK_MESSAGE_BOXES=print VELUM_SCRIPT="Z:${work//\//\\}\\$account.steps" \
      VELUM_TRANSCRIPT="Z:${work//\//\\}\\$account.transcript" MC_TEST_REPORT_SERVICE_PORT=$port \
      MC_TEST_COUNTER=zhangsan-$$ "$runner" "$work/prefix" "$work/$(basename "$program")"
  ) > "$work/$account.out" 2>&1
}
shows() { grep -q -F "$2" "$work/$1.transcript"; }
stored_name() {
  MC_DB="$work/service/reports.sqlite" php -r '
    $row = (new PDO("sqlite:" . getenv("MC_DB")))->query("SELECT pn FROM reports WHERE u = \"10000001\"")->fetch();
    echo iconv("GBK", "UTF-8", $row["pn"] ?? "");'
}

play en_US.UTF-8 10000001
expect "the first submission is accepted" shows 10000001 "感谢您参与本次检测"
play en_US.UTF-8 10000002
expect "the second submission is accepted" shows 10000002 "感谢您参与本次检测"
play en_US.UTF-8 10000003
expect "the third is refused: the counter file was found again" shows 10000003 "您的电脑重复参与检测"
expect "the counter file is in the user's own temporary folder" \
  bash -c 'ls "$0"/prefix/drive_c/users/张三/Temp/*-test-zhangsan-* >/dev/null 2>&1' "$work"
expect "the report carries the user name in code page 936" bash -c '[[ "$0" == 张三@* ]]' "$(stored_name)"

# The CJK font links after a change of code page, and after changing back.
links_are_ours() {
  awk '/^\[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\FontLink\\\\SystemLink\]/ { inside = 1; next }
       /^\[/ { inside = 0 }
       inside && /^"Tahoma"=str\(7\):"wqy-microhei.ttc/ { found = 1 }
       END { exit !found }' "$work/prefix/system.reg"
}
expect "the fonts are linked under code page 1252" links_are_ours
play zh_CN.UTF-8 10000004
WINEPREFIX="$work/prefix" wineserver -w
expect "they are still linked after a run under code page 936" links_are_ours
play en_US.UTF-8 10000005
WINEPREFIX="$work/prefix" wineserver -w
expect "and after a run under code page 1252 again" links_are_ours

expectations_met
