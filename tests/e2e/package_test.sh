#!/usr/bin/env bash
# The Debian package as a user gets it: a Release build for /usr in a tree of its
# own, `cpack -G DEB`, the package's files and dependencies checked, then the
# package installed and the installed program driven end to end (tavlo_e2e.py).
#
# Run as root with apt-get (as on CI's throwaway machines) it installs the package
# into the machine with `apt-get install`, and removes it again afterwards unless it
# was installed before. Otherwise it unpacks the package into a scratch root and
# drives the program there (which then reads its templates from the source tree).
#
# Usage: package_test.sh <source folder> <work folder>
# The environment may name the cmake, cpack and python3 to use: CMAKE, CPACK, PYTHON.
set -euo pipefail
source=$(realpath "$1")
work=$(mkdir -p "$2" && realpath "$2")
build=$work/build
driver=$source/tests/e2e/tavlo_e2e.py
cmake=${CMAKE:-cmake} cpack=${CPACK:-cpack} python=${PYTHON:-python3}

fail() { echo "FAILED: $*"; exit 1; }
# Runs a step with its output in a log, shown only when the step fails.
step() {  # log-name command...
    local log=$work/$1.log
    shift
    "$@" >"$log" 2>&1 || { tail -n 40 "$log"; fail "$* (log: $log)"; }
}

echo "--- package build in $build"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
step configure "$cmake" -S "$source" -B "$build" "${generator[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
step build "$cmake" --build "$build" -j2
rm -f "$build"/tavlo_*.deb
(cd "$build" && step cpack "$cpack" -G DEB)
debs=("$build"/tavlo_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single tavlo_*.deb: ${debs[*]}"
deb=${debs[0]}
echo "package: $deb"

echo "--- package contents"
listing=$(dpkg-deb -c "$deb")
# Prints the mode and the path (with its link target) of one packaged file.
entry() { awk -v want="./$1" '{ path = $6; for (i = 7; i <= NF; i++) path = path " " $i }
                              path == want || index(path, want " -> ") == 1 { print $1, path }' <<<"$listing"; }
expect_file() {  # path [mode prefix]
    local found
    found=$(entry "$1")
    [ -n "$found" ] || fail "the package lacks $1"
    [[ $found == ${2:--}* ]] || fail "$1 is packaged as '$found'"
}
expect_file usr/lib/tavlo/tavlo -rwxr-xr-x
for name in INTESTAZ.HTM INTEST_2.HTM PIEDE.HTM; do expect_file "usr/lib/tavlo/$name" -rw-r--r--; done
for name in Intestaz.htm Intest_2.htm PIEDE.htm DIAPOSIT.JPG Film-1a.jpg Foto-1a.jpg Htm-1a.jpg \
            Music-1a.jpg Sfondo1g.jpg Sfondo1p.jpg; do
    expect_file "usr/share/tavlo/$name" -rw-r--r--
done
expect_file usr/share/applications/tavlo.desktop
expect_file usr/share/icons/hicolor/16x16/apps/tavlo.png
expect_file usr/share/icons/hicolor/32x32/apps/tavlo.png
[ "$(entry usr/bin/tavlo)" = "lrwxrwxrwx ./usr/bin/tavlo -> ../lib/tavlo/tavlo" ] ||
    fail "usr/bin/tavlo is not a link to ../lib/tavlo/tavlo: '$(entry usr/bin/tavlo)'"

# The desktop entry starts the linked program and shows the installed icon.
desktop=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/applications/tavlo.desktop)
grep -qx "Exec=tavlo" <<<"$desktop" || fail "the desktop entry does not start tavlo"
grep -qx "Icon=tavlo" <<<"$desktop" || fail "the desktop entry does not show the tavlo icon"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins xdg-utils; do
    grep -Eq "(^|[ ,|])$package([ ,(]|$)" <<<"$depends" || fail "the package does not depend on $package"
done

if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    echo "--- apt-get install $deb"
    installed_before=no
    dpkg-query -W -f='${Status}' tavlo 2>/dev/null | grep -q "install ok installed" && installed_before=yes
    remove() { apt-get -o DPkg::Lock::Timeout=600 remove -y tavlo >"$work/remove.log" 2>&1 || cat "$work/remove.log"; }
    [ $installed_before = no ] && trap remove EXIT
    step install env DEBIAN_FRONTEND=noninteractive \
        apt-get -o DPkg::Lock::Timeout=600 install -y --reinstall "$deb"
    program=/usr/bin/tavlo
    [ "$(realpath "$program")" = /usr/lib/tavlo/tavlo ] || fail "$program does not lead to /usr/lib/tavlo/tavlo"
else
    echo "--- not root with apt-get: unpacking into $work/root"
    for alternatives in $(tr -d ' ' <<<"$depends" | sed 's/([^)]*)//g' | tr ',' ' '); do
        satisfied=no
        for package in ${alternatives//|/ }; do
            dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" && satisfied=yes
        done
        [ $satisfied = yes ] || fail "dependency $alternatives is not installed"
    done
    rm -rf "$work/root"
    dpkg-deb -x "$deb" "$work/root"
    program=$work/root/usr/bin/tavlo
fi

echo "--- the installed program, end to end"
"$python" "$driver" "$program" --templates "$source/templates" --shots "$work/screenshots"
