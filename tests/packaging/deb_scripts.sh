#!/usr/bin/env bash
# Runs the maintainer scripts of brisel-ctl, the package that owns the udev
# rule, with a stand-in udevadm that logs its arguments and fails. Where udev
# runs, each script must reload the rules and trigger the adapter; where it
# does not (a container, a chroot), it must not call udevadm. In both cases a
# failing udevadm must not fail the script.
# Usage: deb_scripts.sh PACKAGE_FOLDER WORK_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool dpkg-deb dpkg

deb=$(built_deb "$1" brisel-ctl)
work=$2
rm -rf "$work" && mkdir -p "$work/bin"
dpkg-deb -e "$deb" "$work/control"

cat >"$work/bin/udevadm" <<STANDIN
#!/bin/sh
echo "\$*" >>"$work/calls"
exit 1
STANDIN
chmod +x "$work/bin/udevadm"

expected_calls() {
    echo "control --reload-rules"
    echo "trigger --action=change --subsystem-match=usb --attr-match=idVendor=04d8 --attr-match=idProduct=0300"
}

run() {  # script, argument, whether udevadm is expected to be called
    rm -f "$work/calls"
    PATH="$work/bin:$PATH" sh "$work/control/$1" "$2" || fail "$1 $2 failed when udevadm failed"
    if [ "$3" = yes ]; then
        diff -u <(expected_calls) "$work/calls" || fail "$1 $2 did not reload and trigger as expected"
    else
        [ ! -e "$work/calls" ] || { cat "$work/calls"; fail "$1 $2 called udevadm"; }
    fi
}

if [ -S /run/udev/control ]; then
    echo "udev runs here: the scripts must reload the rules and trigger the adapter"
    udev=yes
else
    echo "udev does not run here: the scripts must leave udevadm alone"
    udev=no
fi
run postinst configure "$udev"
run postrm remove "$udev"
run postrm purge no
run postrm upgrade no
echo "PASSED"
