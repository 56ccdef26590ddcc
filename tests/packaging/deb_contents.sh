#!/usr/bin/env bash
# Checks the built packages: each holds exactly its installed files at their
# paths, owned by root with sensible modes; its dependencies, computed from
# its own programs' shared libraries, name the runtime packages it needs
# (brisel-setting also brisel-ctl of its own version, which brings the udev
# rule); brisel-ctl, which owns the rule, carries the maintainer scripts that
# tell udev, and brisel-setting carries none.
# Usage: deb_contents.sh PACKAGE_FOLDER WORK_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool dpkg-deb dpkg

folder=$1 work=$2
rm -rf "$work" && mkdir -p "$work"

# Checks package $1: files, owners, modes, control fields.
check_package() {
    local package=$1 deb dir=$work/$1
    deb=$(built_deb "$folder" "$package")
    mkdir -p "$dir"

    # "-rwxr-xr-x root/root 123 2026-01-01 00:00 ./usr/bin/x" -> "-rwxr-xr-x root/root usr/bin/x"
    dpkg-deb -c "$deb" | awk '{ sub(/^\.\//, "", $6); print $1, $2, $6 }' >"$dir/listing"
    grep '^-' "$dir/listing" | awk '{ print $3 }' | LC_ALL=C sort >"$dir/files"
    expected_files "$package" | LC_ALL=C sort >"$dir/expected"
    diff -u "$dir/expected" "$dir/files" ||
        fail "$package: the package's files differ from the expected list (- missing, + unexpected)"

    awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' "$dir/listing" ||
        fail "$package: entries above are not owned by root/root"
    local mode path want
    while read -r mode _ path; do
        case $path in
            usr/bin/*) want=-rwxr-xr-x ;;
            *) want=-rw-r--r-- ;;
        esac
        [ "$mode" = "$want" ] || fail "$package: $path has mode $mode, expected $want"
    done < <(grep '^-' "$dir/listing")

    for field in Package Version Architecture Maintainer Section Description Source; do
        [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "$package: the control file has no $field"
    done
    [ "$(dpkg-deb -f "$deb" Source)" = brisel-setting ] || fail "$package: Source is not brisel-setting"
    dpkg-deb -e "$deb" "$dir/control"
}

# True when the Depends field $1 names package $2 (with or without a version).
names() { grep -q -E "(^|, )$2( |,|$)" <<<"$1"; }

for package in $(packages); do
    check_package "$package"
done

ctl=$(built_deb "$folder" brisel-ctl)
depends=$(dpkg-deb -f "$ctl" Depends)
echo "brisel-ctl Depends: $depends"
for runtime in libtomlplusplus3 'libusb-0.1-4'; do
    names "$depends" "$runtime" || fail "brisel-ctl: Depends does not name $runtime"
done
for script in postinst postrm; do
    [ -x "$work/brisel-ctl/control/$script" ] || fail "brisel-ctl has no executable $script"
done
if [[ " $(packages) " != *" brisel-setting "* ]]; then
    echo "PASSED (brisel-ctl alone: the build has no desktop program)"
    exit 0
fi

gui=$(built_deb "$folder" brisel-setting)
version=$(dpkg-deb -f "$gui" Version)
[ "$(dpkg-deb -f "$ctl" Version)" = "$version" ] || fail "the two packages have different versions"
[ "$(dpkg-deb -f "$ctl" Description | head -n 1)" != "$(dpkg-deb -f "$gui" Description | head -n 1)" ] ||
    fail "the two packages have the same summary"

depends=$(dpkg-deb -f "$gui" Depends)
echo "brisel-setting Depends: $depends"
for runtime in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins 'libusb-0.1-4'; do
    names "$depends" "$runtime" || fail "brisel-setting: Depends does not name $runtime"
done
grep -q -E "(^|, )brisel-ctl \(= $version\)(,|$)" <<<"$depends" ||
    fail "brisel-setting: Depends does not name brisel-ctl (= $version)"
# Qt's own texts in the user's language, and a font for Japanese.
recommends=$(dpkg-deb -f "$gui" Recommends)
echo "brisel-setting Recommends: $recommends"
for package in qt6-translations-l10n fonts-noto-cjk; do
    names "$recommends" "$package" || fail "brisel-setting: Recommends does not name $package"
done

for script in postinst postrm; do
    [ ! -e "$work/brisel-setting/control/$script" ] ||
        fail "brisel-setting has a $script, but the udev rule it was for is brisel-ctl's"
done
echo "PASSED"
