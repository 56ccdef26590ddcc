#!/usr/bin/env bash
# A cross-built brisel-ctl package's Depends is written by hand: it must name
# the package of every library the program links, each at least at the
# version that the package's symbols file gives for the newest symbol the
# program uses from it. The symbols files come from the target's packages in
# the sysroot (scripts/arm-sysroot keeps them in var/lib/dpkg/info).
# Usage: deb_depends.sh PACKAGE_FOLDER WORK_FOLDER SYSROOT
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool dpkg-deb dpkg
need_tool readelf binutils

deb=$(built_deb "$1" brisel-ctl)
work=$2 sysroot=$3
rm -rf "$work" && mkdir -p "$work"
dpkg-deb -x "$deb" "$work/root"
program=$work/root/usr/bin/brisel-ctl
symbols=("$sysroot"/var/lib/dpkg/info/*.symbols)
[ -f "${symbols[0]}" ] || fail "no symbols files in $sysroot/var/lib/dpkg/info: make the sysroot anew"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"

# The symbols the program takes from other libraries, as name@VERSION (an
# unversioned one as name@Base, the way symbols files write it).
readelf --dyn-syms -W "$program" |
    awk '$7 == "UND" && $8 != "" { sub(/ \(.*/, "", $8); print ($8 ~ /@/ ? $8 : $8 "@Base") }' |
    sort -u >"$work/used"
readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' >"$work/needed"

while read -r library; do
    # "package version": the package of the library and the highest minimal
    # version among the symbols used from it.
    read -r package version < <(awk -v lib="$library" '
        NR == FNR { used[$1] = 1; next }
        /^[^ *|#]/ { inside = ($1 == lib); if (inside) package = $2; next }
        inside && /^ / && ($1 in used) { print package, $2 }' "$work/used" "${symbols[@]}" |
        sort -k2,2V | tail -n 1) || true
    [ -n "${package:-}" ] || fail "no symbols file names $library, or the program uses none of its symbols"
    given=$(tr ',' '\n' <<<"$depends" |
            awk -v p="$package" '$1 == p && $2 == "(>=" { sub(/\)$/, "", $3); print $3 }')
    [ -n "$given" ] || fail "$library: Depends does not name $package (>= $version)"
    dpkg --compare-versions "$given" ge "$version" ||
        fail "$library: Depends asks for $package (>= $given), the symbols used need $version"
    echo "ok: $library: $package (>= $given), needs $version"
    unset package version
done <"$work/needed"
echo "PASSED"
