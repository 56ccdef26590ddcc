#!/bin/sh
# brisel-ctl with its standard output on a full disk (/dev/full): every
# command that prints ends with 73 and says so, never 0 with output lost.
# Usage: ctl_full_output.sh BRISEL_CTL WORK_FOLDER
ctl=$1
work=$2
[ -w /dev/full ] || { echo "no /dev/full here"; exit 77; }
rm -rf "$work" && mkdir -p "$work" || exit 1
printf 'format = 1\n[basic]\ndelay_time_ms = 500\n' >"$work/f.toml"
failed=0
while read -r args; do
    # shellcheck disable=SC2086  # the arguments are split on blanks
    "$ctl" --demo $args >/dev/full 2>"$work/err"
    status=$?
    if [ "$status" != 73 ] || ! grep -q 'standard output cannot be written' "$work/err"; then
        echo "FAIL: brisel-ctl --demo $args > /dev/full: exit $status"
        cat "$work/err"
        failed=1
    fi
done <<LIST
show
show basic
get basic.delay_time_ms
detect
detect --json
set basic.delay_time_ms=500
restore $work/f.toml
diff $work/f.toml
backup -
--help
--version
LIST
exit $failed
