#!/usr/bin/env bash
# Builds the Debian package, installs it with apt, starts the installed program the way the
# menu does (its desktop entry's Exec, found on PATH) under Xvfb, where the real-display
# test opens a lesson and shows a chord; then removes the package and checks that nothing
# of it is left in /usr.
# Arguments: the source folder, a build folder for the package, the real-display test.
set -euo pipefail
source_dir=$1 build=$2 display_test=$3
package=strumvane

skip() { echo "[  SKIPPED ] $*"; exit 0; }
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
for tool in apt-get dpkg dpkg-query flock; do
  command -v "$tool" >/dev/null || skip "$tool is not available"
done

mkdir -p "$build"
if ! STRUMVANE_PACKAGE_BUILD=$build bash "$source_dir/scripts/package.sh" >"$build/package.log" 2>&1; then
  cat "$build/package.log"
  echo "FAILED: the package did not build"
  exit 1
fi
debs=("$build"/${package}_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAILED: no single package in $build: ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "Built $deb"

if command -v lintian >/dev/null; then
  # Errors fail; what an archive upload alone would mind is shown and let be.
  status=0
  report=$(lintian --fail-on error "$deb" 2>&1) || status=$?
  report=$(grep -v '^running with root privileges' <<<"$report" || true)
  echo "${report:-lintian: no errors, no warnings}"
  [ "$status" -eq 0 ] || { echo "FAILED: lintian reports errors"; exit 1; }
else
  echo "lintian is not installed: the package is not linted"
fi

apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=600 "$@"; }
present() {
  local s
  s=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null) || return 1
  [ -n "$s" ] && [ "$s" != not-installed ] && [ "$s" != config-files ]
}

# One run at a time on this machine installs the package (other worktrees run this test
# too). The mark says a run of this test put the package there, so that a run killed before
# its clean-up is cleaned up by the next, and a package a user installed is never touched.
locks=/run/lock
[ -d "$locks" ] || locks=/tmp
exec 9>"$locks/strumvane-package-test.lock"
flock -w 1200 9 || { echo "FAILED: another run of this test holds $locks/strumvane-package-test.lock"; exit 1; }
mark=$locks/strumvane-package-test.installed
work=$build/install-test
rm -rf "$work"
mkdir -p "$work"

remove() {
  apt_get remove "$package" >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; dpkg --remove "$package" || true; }
  present || rm -f "$mark"
}
cleanup() {
  if [ -e "$mark" ]; then
    echo "Removing the package left installed"
    remove
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

if present; then
  if [ -e "$mark" ]; then
    echo "A killed run of this test left the package installed: removing it"
    remove
  else
    skip "a $package package is installed on this machine already; this test installs its own and removes it"
  fi
fi
rm -f "$mark"

touch "$mark"
(cd "$(dirname "$deb")" && apt_get install --no-install-recommends "./$(basename "$deb")") >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; echo "FAILED: apt-get could not install the package"; exit 1; }
dpkg -L "$package" >"$work/files"
echo "Installed $(grep -c . "$work/files") paths"

# What the menu runs: the desktop entry's command, found on the PATH of a desktop session.
entry=/usr/share/applications/io.github.strumvane.Strumvane.desktop
[ -f "$entry" ] || { echo "FAILED: no desktop entry $entry"; exit 1; }
command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry" | head -n 1)
launcher=$(PATH=/usr/local/bin:/usr/bin:/bin command -v "$command") || { echo "FAILED: $command is not on PATH"; exit 1; }
dpkg-query -S "$launcher" 2>/dev/null | grep -q "^$package:" ||
  { echo "FAILED: the desktop entry runs $launcher, which is not the package's"; exit 1; }

# The data the program reads beside itself.
folder=$(dirname "$(readlink -f "$launcher")")
[ -f "$folder/GuitarMan.gif" ] || { echo "FAILED: no GuitarMan.gif in $folder"; exit 1; }
midis=$(find "$folder/Mid" -name '*.mid' | wc -l)
[ "$midis" -eq 96 ] || { echo "FAILED: $midis progression files in $folder/Mid, not 96"; exit 1; }

# The test starts the program in a temporary folder of its own.
STRUMVANE_PROGRAM=$launcher QT_QPA_PLATFORM=offscreen timeout 300 "$display_test" ||
  { echo "FAILED: the installed program did not show a chord"; exit 1; }

remove
if present; then
  echo "FAILED: apt-get remove left the package installed"
  exit 1
fi

# Folders the package shared with others stay (another package owns them or something else
# lies in them); nothing else of it may.
left=()
while read -r path; do
  case $path in /usr/*) ;; *) continue ;; esac
  if [ -L "$path" ] || { [ -e "$path" ] && [ ! -d "$path" ]; }; then
    left+=("$path")
  elif [ -d "$path" ] && ! dpkg-query -S "$path" >/dev/null 2>&1 && [ -z "$(ls -A "$path")" ]; then
    left+=("$path")
  fi
done <"$work/files"
if [ ${#left[@]} -gt 0 ]; then
  printf 'FAILED: left in /usr after removal: %s\n' "${left[@]}"
  exit 1
fi
echo "Removed; nothing of the package is left in /usr"
