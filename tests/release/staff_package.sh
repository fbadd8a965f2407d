#!/usr/bin/env bash
# The staff's Debian package of this Linux build: the same bytes when built
# twice; the files where staff look for them; no lintian error; and, in a
# fresh Debian root (debootstrap, from the machine's configured Debian
# mirror), it installs with apt, runs from the PATH, and leaves nothing
# behind when purged. Needs root (debootstrap, chroot).
#   staff_package.sh BUILD-DIR VERSION
set -u
build_dir=$1
version=$2
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
source "$here/../support/expectations.sh"
work=$(mktemp -d)
root="$work/root"
# The root's /proc is detached before its folder goes.
trap 'umount -l "$root/proc" 2>/dev/null; mountpoint -q "$root/proc" || rm -rf "$work"' EXIT
deb=machine-check_${version}_amd64.deb

build() { "$source_dir/packaging/staff-deb" "$build_dir" "$work/$1" "$version" 1700000000 > /dev/null; }
expect "the package builds" build first
build second
expect "it builds again to the same bytes" cmp "$work/first/$deb" "$work/second/$deb"
package="$work/first/$deb"

# "mode path" or "mode path -> target", one per line.
contents=$(dpkg-deb --contents "$package" | awk '{ $2 = $3 = $4 = $5 = ""; print }' | tr -s ' ')
for entry in "-rwxr-xr-x ./usr/lib/machine-check/machine-check" "-rw-r--r-- ./usr/lib/machine-check/VelumFab.so" \
             "-rw-r--r-- ./usr/lib/machine-check/Velum.ini" "-rw-r--r-- ./usr/lib/machine-check/Main.mox" \
             "lrwxrwxrwx ./usr/bin/machine-check -> ../lib/machine-check/machine-check" \
             "-rw-r--r-- ./usr/share/doc/machine-check/README" "-rw-r--r-- ./usr/share/doc/machine-check/copyright" \
             "-rw-r--r-- ./usr/share/man/man1/machine-check.1.gz"; do
  expect "the package holds ${entry#* }" grep -q -x -F -- "$entry" <<< "$contents"
done
expect "its documentation is the README's sections for staff, with the installed command" \
  bash -c "dpkg-deb --fsys-tarfile '$package' | tar -xO ./usr/share/doc/machine-check/README |
           grep -q -F 'machine-check --eval_file devices.txt'"
expect "it depends on the libraries the program links" \
  bash -c "dpkg-deb --field '$package' Depends | grep -q 'libncursesw6.*libtinyxml2-9'"

lintian --no-tag-display-limit "$package" > "$work/lintian" 2>&1
expect "lintian finds no error" bash -c "! grep '^E:' '$work/lintian'"
grep '^[EW]:' "$work/lintian"

# A fresh Debian of the machine's own release and mirror.
. /etc/os-release
mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(TARGET_OF)' |
  awk -v suite="$VERSION_CODENAME" '$2 == suite && $3 == "deb" { print $1; exit }')
debootstrap --variant=minbase "$VERSION_CODENAME" "$root" "$mirror" > "$work/debootstrap.log" 2>&1 ||
  { tail -n 20 "$work/debootstrap.log"; exit 1; }
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
cp "$package" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME=/root "$@"; }
installs() {
  in_root apt-get update -qq > "$work/apt.log" 2>&1 &&
    in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$deb" >> "$work/apt.log" 2>&1 ||
    { tail -n 20 "$work/apt.log"; return 1; }
}
expect "it installs with apt into a fresh root" installs
expect "machine-check is on the PATH and shows its version" \
  bash -c "chroot '$root' machine-check --version | grep -q -x 'MachineCheck $version'"
expect "it rates a machine" \
  [ "$(in_root machine-check --mute --eval "Intel Core i7 980X @ 3.33GHz|NVIDIA GeForce GTX 690|8")" = 348 ]
printf 'id\tx\ty\tIntel Core i7 980X @ 3.33GHz\t8192.00 MB\tNVIDIA GeForce GTX 690\n' > "$root/tmp/devices.txt"
in_root sh -c 'cd /tmp && machine-check --eval_file devices.txt'
expect "it rates a device list" [ "$(cat "$root/tmp/devices.txt - result.txt" 2>/dev/null)" = $'id\t1\t848' ]
printf 'expect focus Edit_Orbi\nclick Btn_Close\n' > "$root/tmp/steps"
in_root env VELUM_BACKEND=script VELUM_SCRIPT=/tmp/steps VELUM_TRANSCRIPT=/tmp/transcript \
  sh -c 'cd /tmp && machine-check' > /dev/null 2>&1
dialog_status=$?
expect "it finds its UI library, settings and layout beside itself: the dialog opens and closes" \
  bash -c "[ $dialog_status = 0 ] && grep -q -x 'script passed' '$root/tmp/transcript'"
in_root dpkg --purge machine-check > /dev/null 2>&1
expect "purging it leaves nothing behind" [ ! -e "$root/usr/lib/machine-check" ] && [ ! -e "$root/usr/bin/machine-check" ]
expectations_met
