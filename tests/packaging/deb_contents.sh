#!/usr/bin/env bash
# Checks the built package: it holds exactly the installed files at their
# paths, owned by root with sensible modes; its dependencies, computed from
# the programs' shared libraries, name the Qt 6 and libusb 0.1 runtime
# packages; it carries the maintainer scripts.
# Usage: deb_contents.sh PACKAGE_FOLDER WORK_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool dpkg-deb dpkg

deb=$(built_deb "$1")
work=$2
rm -rf "$work" && mkdir -p "$work"

# "-rwxr-xr-x root/root 123 2026-01-01 00:00 ./usr/bin/x" -> "-rwxr-xr-x root/root usr/bin/x"
dpkg-deb -c "$deb" | awk '{ sub(/^\.\//, "", $6); print $1, $2, $6 }' >"$work/listing"
grep '^-' "$work/listing" | awk '{ print $3 }' | LC_ALL=C sort >"$work/files"
expected_files | LC_ALL=C sort >"$work/expected"
diff -u "$work/expected" "$work/files" ||
    fail "the package's files differ from the expected list (- missing, + unexpected)"

awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' "$work/listing" ||
    fail "entries above are not owned by root/root"
while read -r mode _ path; do
    case $path in
        usr/bin/*) want=-rwxr-xr-x ;;
        *) want=-rw-r--r-- ;;
    esac
    [ "$mode" = "$want" ] || fail "$path has mode $mode, expected $want"
done < <(grep '^-' "$work/listing")

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for runtime in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins 'libusb-0.1-4'; do
    grep -q -E "(^|, )$runtime( |,|$)" <<<"$depends" || fail "Depends does not name $runtime"
done
for field in Package Version Architecture Maintainer Section Description; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "the control file has no $field"
done

dpkg-deb -e "$deb" "$work/control"
for script in postinst postrm; do
    [ -x "$work/control/$script" ] || fail "the package has no executable $script"
done
echo "PASSED"
