#!/usr/bin/env bash
# Validates the installed launchers and AppStream metadata with the
# freedesktop tools, and checks that they fit together: each launcher starts
# an installed program and shows the installed icon, the demo's launcher says
# it is the demo, and the metadata points at the program's launcher.
# Usage: launchers.sh BUILD_FOLDER WORK_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool desktop-file-validate desktop-file-utils
need_tool appstreamcli appstream

build=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
install_into "$build" "$work/root"
root=$work/root
apps=$root/usr/share/applications

# The value of key $2 in the [Desktop Entry] group of launcher $1.
entry() { sed -n '/^\[Desktop Entry\]/,/^\[/p' "$1" | sed -n "s/^$2=//p" | head -n 1; }

for program in brisel-setting brisel-setting-demo; do
    launcher=$apps/$program.desktop
    [ -f "$launcher" ] || fail "no launcher $program.desktop"
    desktop-file-validate "$launcher" || fail "desktop-file-validate rejects $program.desktop"

    exec_line=$(entry "$launcher" Exec)
    [ "${exec_line%% *}" = "$program" ] || fail "$program.desktop: Exec=$exec_line does not start $program"
    [ -x "$root/usr/bin/$program" ] || fail "$program.desktop starts $program, which is not installed in /usr/bin"

    icon=$(entry "$launcher" Icon)
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
        fail "$program.desktop: Icon=$icon is not an installed icon"

    categories=$(entry "$launcher" Categories)
    for category in Settings HardwareSettings; do
        [[ ";$categories" == *";$category;"* ]] || fail "$program.desktop: category $category missing"
    done
    [ -n "$(entry "$launcher" Comment)" ] || fail "$program.desktop has no Comment"
done

[[ $(entry "$apps/brisel-setting-demo.desktop" Name) == *"(demo)"* ]] ||
    fail "the demo's launcher is not marked as the demo in its Name"
[[ $(entry "$apps/brisel-setting.desktop" Name) != *demo* ]] ||
    fail "the program's launcher is named as the demo"

metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
[ ${#metainfo[@]} -eq 1 ] && [ -f "${metainfo[0]}" ] || fail "expected one metainfo file, found: ${metainfo[*]}"
appstreamcli validate --no-net "${metainfo[0]}" || fail "appstreamcli rejects $(basename "${metainfo[0]}")"

id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "${metainfo[0]}")
[ "$(basename "${metainfo[0]}")" = "$id.metainfo.xml" ] || fail "metainfo file name does not match its id $id"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "${metainfo[0]}")
[ "$launchable" = brisel-setting.desktop ] || fail "metainfo launches '$launchable', not brisel-setting.desktop"
grep -q '<modalias>usb:v04D8p0300d\*</modalias>' "${metainfo[0]}" ||
    fail "metainfo does not provide the adapter's modalias usb:v04D8p0300d*"
grep -q '<screenshot' "${metainfo[0]}" || fail "metainfo has no screenshot"
echo "PASSED"
