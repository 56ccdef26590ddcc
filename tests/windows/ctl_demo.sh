#!/bin/sh
# brisel-ctl.exe under Wine over the demo adapter: --version, show, backup,
# set, restore and --json, the demo file and the backups kept under
# %LOCALAPPDATA%\brisel-setting, and a missing libusb0.dll told with exit 69.
# Usage: ctl_demo.sh BRISEL_CTL WORK_FOLDER LOCALAPPDATA_FOLDER
ctl=$1
work=$2
state=$3/brisel-setting
rm -rf "$work" "$state" && mkdir -p "$work" || exit 1
failed=0
# expect STATUS TEXT ARGUMENTS...: the exit status, and a line of output holding TEXT.
expect() {
    status=$1 text=$2
    shift 2
    "$ctl" "$@" >"$work/out" 2>&1
    got=$?
    if [ "$got" != "$status" ] || { [ -n "$text" ] && ! tr -d '\r' <"$work/out" | grep -qF -- "$text"; }; then
        echo "FAIL: brisel-ctl $*: exit $got (wanted $status and '$text'):"
        cat "$work/out"
        failed=1
    fi
}
expect 0 "brisel-ctl " --version
expect 0 "delay_time_ms = 300" --demo-reset show
expect 0 "" --demo backup 'Z:'"$work/saved.toml"
[ -f "$work/saved.toml" ] || { echo "FAIL: backup wrote no file"; failed=1; }
expect 0 "basic.delay_time_ms = 450" --demo set basic.delay_time_ms=450
expect 0 '"delay_time_ms": 450' --demo --json show
expect 0 "450 -> 300" --demo restore 'Z:'"$work/saved.toml"
expect 0 "basic.delay_time_ms = 300" --demo get basic.delay_time_ms
expect 0 "300 -> 450" --demo restore 'Z:'"$state/backups/$(ls "$state/backups" | head -n 1)"
[ -f "$state/demo-adapter.toml" ] || { echo "FAIL: no demo file in $state"; failed=1; }
# Wine's system folder has no libusb0.dll.
expect 69 "install libusb-win32" show
exit $failed
