#!/usr/bin/env bash
# brisel-ctl is for machines without a display, down to a bare board: the
# program in the brisel-ctl package must link neither Qt nor ICU nor any GUI
# library, directly (readelf -d) or through the libraries it loads (ldd), and
# the package must depend on none of them. It names the package's version.
# Usage: ctl_no_qt.sh PACKAGE_FOLDER WORK_FOLDER
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

unwanted_library='lib(Qt6|Qt5|icu|X11|xcb|GL)'
readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' >"$work/needed"
[ -s "$work/needed" ] || fail "readelf lists no libraries for brisel-ctl"
echo "needed: $(tr '\n' ' ' <"$work/needed")"
if grep -E "^$unwanted_library" "$work/needed"; then
    fail "brisel-ctl links the Qt, ICU or GUI libraries above"
fi
grep -q '^libusb-0\.1\.so' "$work/needed" || fail "brisel-ctl does not link libusb 0.1: is this the program?"

ldd "$program" >"$work/ldd" || { cat "$work/ldd"; fail "ldd cannot resolve the libraries of brisel-ctl"; }
if grep 'not found' "$work/ldd"; then
    fail "libraries of brisel-ctl above are not installed"
fi
if grep -E "(^|[[:space:]/])$unwanted_library" "$work/ldd"; then
    fail "brisel-ctl loads the Qt, ICU or GUI libraries above through its own libraries"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
[ -n "$depends" ] || fail "brisel-ctl depends on nothing: were the shared library dependencies computed?"
unwanted_package='(libqt6.*|libqt5.*|qt6-.*|libicu[0-9]+|libx11-[0-9].*|libxcb.*|libgl1.*|libglx.*|libopengl.*|libegl.*)'
tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }' >"$work/depends"
if grep -x -E "$unwanted_package" "$work/depends"; then
    fail "brisel-ctl depends on the Qt, ICU or GUI packages above"
fi

# The program spells its version as its package does.
said=$("$program" --version | head -n 1)
[ "$said" = "brisel-ctl $(dpkg-deb -f "$deb" Version)" ] ||
    fail "brisel-ctl --version says '$said', the package is $(dpkg-deb -f "$deb" Version)"
echo "PASSED"
