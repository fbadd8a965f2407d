#!/usr/bin/env bash
# The player's package as a publisher builds it and a player gets it: built
# twice from this commit in two build folders of its own, byte for byte the
# same; exactly the five files; no DLL that Windows does not ship; and,
# unpacked into an empty folder and run in a new Wine prefix, it rates a
# machine (exit code = bonus) and plays a whole submission with the script
# backend against the reference report service on PORT.
#   player_package.sh SOURCE-DIR PORT VERSION WINE-RUN
set -u
source_dir=$1
port=$2
version=$3
wine_run=$4
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/expectations.sh"
service_script="$here/../report/report_service.sh"
work=$(mktemp -d)
trap 'bash "$service_script" stop "$port" "$work/service"; rm -rf "$work"' EXIT
epoch=$(git -C "$source_dir" log -1 --format=%ct)
zip_name="MachineCheck-$version-win64.zip"

build_package() {
  cmake -S "$source_dir" --preset windows-release -B "$work/$1" -DMC_REPORT_SERVICE="$port" \
    -DMC_SOURCE_DATE_EPOCH="$epoch" -DMC_DIST_DIR="$work/$1-dist" > "$work/$1.log" 2>&1 &&
    cmake --build "$work/$1" -j "$(nproc)" --target release_package >> "$work/$1.log" 2>&1
}
built() { build_package "$1" || { tail -n 30 "$work/$1.log"; return 1; }; }
expect "the package builds" built first
expect "it builds again in another folder" built second
expect "the two builds are byte-identical" cmp "$work/first-dist/$zip_name" "$work/second-dist/$zip_name"

package="$work/first-dist/$zip_name"
listing=$(unzip -Z1 "$package" | LC_ALL=C sort | tr '\n' ' ')
expect "the package holds exactly the five files" \
  [ "$listing" = "MachineCheck.exe Main.mox README.txt Velum.ini VelumFab.dll " ]
# DOS times are local (the build's is UTC) and have two-second steps; zip
# rounds an odd second up.
commit_time=$(date -u -d "@$((epoch + epoch % 2))" +%Y%m%d.%H%M%S)
expect "every file carries the commit's time" \
  [ "$(unzip -Z -T "$package" | awk '/^-/ { print $7 }' | sort -u)" = "$commit_time" ]

player="$work/player"
mkdir -p "$player"
unzip -q "$package" -d "$player"
expect "the players' text is UTF-8 with a byte-order mark and names the service" \
  bash -c "head -c 3 '$player/README.txt' | od -An -tx1 | grep -q 'ef bb bf' && grep -q '端口 $port' '$player/README.txt'"

# What Windows ships itself: a DLL outside this list must come with the
# program, and the package brings none.
system_dlls=" advapi32.dll bcrypt.dll comctl32.dll crypt32.dll d3d9.dll gdi32.dll iphlpapi.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll ws2_32.dll "
foreign_imports() {
  x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' |
    while read -r dll; do [[ "$system_dlls" == *" $dll "* ]] || echo "$dll"; done
}
# The VERSIONINFO resource's strings are UTF-16: the name, then the value.
file_version() { strings -e l "$1" | grep -A 1 -x FileVersion | sed -n 2p; }
for binary in MachineCheck.exe VelumFab.dll; do
  foreign=$(foreign_imports "$player/$binary")
  expect "$binary imports only DLLs that Windows ships${foreign:+ (not: $foreign)}" [ -z "$foreign" ]
  expect "$binary carries version $version in its VERSIONINFO" [ "$(file_version "$player/$binary")" = "$version" ]
done

# A new prefix, and the program run from a batch file so that its exit code
# is read whole on the Windows side.
prefix="$work/prefix"
windows_path() { local path="Z:$1"; printf '%s' "${path//\//\\}"; }
run_in_prefix() {
  {
    printf '@echo off\r\ncd /d "%s"\r\nMachineCheck.exe' "$(windows_path "$player")"
    for arg in "$@"; do printf ' "%s"' "$arg"; done
    printf '\r\necho %%ERRORLEVEL%%> "%s"\r\n' "$(windows_path "$work/status")"
  } > "$work/run.cmd"
  (unset DISPLAY; "$wine_run" "$prefix" cmd /c "$(windows_path "$work/run.cmd")") > "$work/out" 2> "$work/err"
  status=$(tr -d '\r\n ' < "$work/status")
}
run_in_prefix --mute --eval "Intel Core i7 980X @ 3.33GHz|NVIDIA GeForce GTX 690|8"
expect "--eval's exit code is the bonus" [ "$status" = 348 ]

bash "$service_script" start "$port" "$work/service" || exit 1
cat > "$work/steps" <<'STEPS'
type Edit_Orbi 10000042
choose Combo_Age 2
choose ComboBox_PV 3
choose Combo_Sex 1
copy Static_Captcha Edit_Captcha
click Button_Start
expect open Result
expect visible Button_OK
expect contains Static_Msg 感谢您参与本次检测
click Button_OK
click Btn_Close
STEPS
: > "$work/transcript"
VELUM_BACKEND=script VELUM_SCRIPT="$(windows_path "$work/steps")" VELUM_TRANSCRIPT="$(windows_path "$work/transcript")" \
  run_in_prefix
expect "the whole submission plays through and the dialog closes with exit code 0" \
  bash -c "[ '$status' = 0 ] && grep -q -x 'script passed' '$work/transcript'"
accepted=$(MC_DB="$work/service/reports.sqlite" php -r '
  $db = new PDO("sqlite:" . getenv("MC_DB"));
  echo $db->query("SELECT COUNT(*) FROM reports WHERE u = 10000042")->fetchColumn();')
expect "the service stored the report" [ "$accepted" = 1 ]
[ "$failed" -eq 0 ] || { echo "--- transcript:"; cat "$work/transcript"; echo "--- stderr:"; cat "$work/err"; }
expectations_met
