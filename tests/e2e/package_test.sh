#!/usr/bin/env bash
# The Debian package as a user gets it: a Release build for /usr in a tree of its
# own, `cpack -G DEB`, its files and dependencies checked, then installed (as root
# with apt-get, removed again afterwards; otherwise unpacked into a scratch root)
# and started: the installed program run end to end by tavlo_e2e.py.
# Usage: package_test.sh <source folder> <work folder>   (CMAKE, CPACK, PYTHON may name the tools)
set -euo pipefail
source=$(realpath "$1")
work=$(mkdir -p "$2" && realpath "$2")
build=$work/build
fail() { echo "FAILED: $*"; exit 1; }
step() { local log=$work/$1.log; shift; "$@" >"$log" 2>&1 || { tail -n 40 "$log"; fail "$* (log: $log)"; }; }

echo "--- package build"
step configure "${CMAKE:-cmake}" -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
step build "${CMAKE:-cmake}" --build "$build" -j2
rm -f "$build"/tavlo_*.deb
(cd "$build" && step cpack "${CPACK:-cpack}" -G DEB)
deb=$(echo "$build"/tavlo_*.deb)
[ -f "$deb" ] || fail "cpack made no single tavlo_*.deb"

echo "--- package contents: $deb"
listing=$(dpkg-deb -c "$deb" | awk '{ $2 = $3 = $4 = $5 = ""; print }' | tr -s ' ')
for expected in "-rwxr-xr-x ./usr/lib/tavlo/tavlo" "lrwxrwxrwx ./usr/bin/tavlo -> ../lib/tavlo/tavlo" \
    "-rw-r--r-- ./usr/lib/tavlo/INTESTAZ.HTM" "-rw-r--r-- ./usr/lib/tavlo/PIEDE.HTM" \
    "-rw-r--r-- ./usr/share/tavlo/DIAPOSIT.JPG" "-rw-r--r-- ./usr/share/applications/tavlo.desktop" \
    "-rw-r--r-- ./usr/share/icons/hicolor/32x32/apps/tavlo.png"; do
    grep -qxF -- "$expected" <<<"$listing" || fail "the package lacks '$expected'"
done
[ "$(grep -c './usr/share/tavlo/.' <<<"$listing")" -eq 10 ] || fail "the package lacks template files"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 qt6-qpa-plugins xdg-utils; do
    grep -Eq "(^|[ ,|])$package([ ,(]|$)" <<<"$depends" || fail "the package does not depend on $package"
done

if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    echo "--- apt-get install"
    dpkg-query -W -f='${Status}' tavlo 2>/dev/null | grep -q "install ok installed" ||
        trap 'apt-get -o DPkg::Lock::Timeout=600 remove -y tavlo >"$work/remove.log" 2>&1' EXIT
    step install env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y --reinstall "$deb"
    program=/usr/bin/tavlo
else
    echo "--- not root with apt-get: unpacked into $work/root"
    rm -rf "$work/root" && dpkg-deb -x "$deb" "$work/root"
    program=$work/root/usr/bin/tavlo
fi
echo "--- the installed program, started"
"${PYTHON:-python3}" "$source/tests/e2e/tavlo_e2e.py" "$program"
