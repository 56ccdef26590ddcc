#!/usr/bin/env bash
# brisel-ctl is for machines without a display: the program in the brisel-ctl
# package must link no GUI library, neither directly (readelf -d) nor through
# the libraries it loads (ldd), and the package must depend on none.
# Usage: ctl_no_gui.sh PACKAGE_FOLDER WORK_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool dpkg-deb dpkg
need_tool readelf binutils
need_tool ldd libc-bin

deb=$(built_deb "$1" brisel-ctl)
work=$2
rm -rf "$work" && mkdir -p "$work"
dpkg-deb -x "$deb" "$work/root"
program=$work/root/usr/bin/brisel-ctl
[ -x "$program" ] || fail "the package has no usr/bin/brisel-ctl"

gui_library='lib(Qt6Gui|Qt6Widgets|X11|xcb|GL)'
readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' >"$work/needed"
[ -s "$work/needed" ] || fail "readelf lists no libraries for brisel-ctl"
echo "needed: $(tr '\n' ' ' <"$work/needed")"
if grep -E "^$gui_library" "$work/needed"; then
    fail "brisel-ctl links the GUI libraries above"
fi
grep -q '^libQt6Core\.so' "$work/needed" || fail "brisel-ctl does not link libQt6Core: is this the program?"

ldd "$program" >"$work/ldd" || { cat "$work/ldd"; fail "ldd cannot resolve the libraries of brisel-ctl"; }
if grep 'not found' "$work/ldd"; then
    fail "libraries of brisel-ctl above are not installed"
fi
if grep -E "(^|[[:space:]/])$gui_library" "$work/ldd"; then
    fail "brisel-ctl loads the GUI libraries above through its own libraries"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
[ -n "$depends" ] || fail "brisel-ctl depends on nothing: were the shared library dependencies computed?"
gui_package='(libqt6gui6|libqt6widgets6|qt6-qpa-plugins|libx11-[0-9].*|libxcb.*|libgl1.*|libglx.*|libopengl.*|libegl.*)'
tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }' >"$work/depends"
if grep -x -E "$gui_package" "$work/depends"; then
    fail "brisel-ctl depends on the GUI packages above"
fi
echo "PASSED"
