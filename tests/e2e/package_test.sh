#!/usr/bin/env bash
# The Debian package as a user gets it: built, lintian-clean, its dependencies checked, installed (as root
# with apt-get, removed afterwards; otherwise unpacked into a scratch root) and started
# end to end, which finds the program, its header and its template images in place.
# Usage: package_test.sh <source folder> <work folder>   (CMAKE, CPACK, PYTHON may name the tools)
set -euo pipefail
command -v dpkg-deb >/dev/null || { echo "SKIPPED: no dpkg-deb"; exit 77; }
source=$(realpath "$1") work=$(mkdir -p "$2" && realpath "$2")
fail() { echo "FAILED: $*"; exit 1; }
step() { local log=$work/$1.log; shift; "$@" >"$log" 2>&1 || { tail -n 40 "$log"; fail "$* (log: $log)"; }; }

step configure "${CMAKE:-cmake}" -S "$source" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
step build "${CMAKE:-cmake}" --build "$work/build" -j2
rm -f "$work"/build/tavlo_*.deb
(cd "$work/build" && step cpack "${CPACK:-cpack}" -G DEB)
deb=$(echo "$work"/build/tavlo_*.deb)
command -v lintian >/dev/null && step lintian lintian --fail-on error,warning "$deb"
# The desktop entry, which offers the program for a folder ("Open with"), as the desktops read it.
rm -rf "$work/entry" && dpkg-deb -x "$deb" "$work/entry"
step desktop-entry desktop-file-validate "$work/entry/usr/share/applications/tavlo.desktop"
for package in libqt6widgets6 qt6-qpa-plugins xdg-utils; do
    dpkg-deb -f "$deb" Depends | grep -Eq "(^|[ ,|])$package([ ,(]|$)" || fail "the package does not depend on $package"
done
if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    dpkg-query -W -f='${Status}' tavlo 2>/dev/null | grep -q "install ok installed" ||
        trap 'apt-get -o DPkg::Lock::Timeout=600 remove -y tavlo >"$work/remove.log" 2>&1' EXIT
    step install env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y --reinstall "$deb"
    program=/usr/bin/tavlo
else
    rm -rf "$work/root" && dpkg-deb -x "$deb" "$work/root"
    program=$work/root/usr/bin/tavlo
fi
echo "--- the installed program $program, started"
"${PYTHON:-python3}" "$source/tests/e2e/tavlo_e2e.py" "$program"
