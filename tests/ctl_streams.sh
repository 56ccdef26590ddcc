#!/bin/sh
# The real brisel-ctl's standard streams. With its standard output on a full
# disk (/dev/full), every command that prints ends with 73 and says so, never
# 0 with output lost. restore - and diff - read the file from standard input.
# Usage: ctl_streams.sh BRISEL_CTL WORK_FOLDER
ctl=$1
work=$2
[ -w /dev/full ] || { echo "no /dev/full here"; exit 77; }
rm -rf "$work" && mkdir -p "$work" || exit 1
printf 'format = 1\n[basic]\ndelay_time_ms = 500\n' >"$work/f.toml"
# The demo adapter is kept in the test's folder, and each run starts it afresh.
export XDG_STATE_HOME="$work/state"
failed=0
while read -r args; do
    # shellcheck disable=SC2086  # the arguments are split on blanks
    "$ctl" --demo-reset $args >/dev/full 2>"$work/err"
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

# A backup into a file with standard output closed: the file is whole, and
# the message says so.
rm -f "$work/k.toml"
"$ctl" --demo-reset backup "$work/k.toml" >&- 2>"$work/err"
status=$?
if [ "$status" != 73 ] || ! grep -qF "standard output cannot be written; $work/k.toml was saved whole" "$work/err" ||
    ! grep -q '^\[serial_port\]' "$work/k.toml"; then
    echo "FAIL: brisel-ctl --demo backup FILE >&-: exit $status"
    cat "$work/err"
    failed=1
fi

# FILE "-": standard input, its problems named as such.
expect() {  # STATUS NEEDLE ARGS... (standard input from $work/in)
    want=$1 needle=$2
    shift 2
    "$ctl" --demo-reset "$@" <"$work/in" >"$work/out" 2>&1
    status=$?
    if [ "$status" != "$want" ] || ! grep -qF -- "$needle" "$work/out"; then
        echo "FAIL: brisel-ctl --demo $* < input: exit $status, not $want with '$needle'"
        cat "$work/out"
        failed=1
    fi
}
cp "$work/f.toml" "$work/in"
expect 1 'basic.delay_time_ms: 300 -> 500' diff -
expect 0 'basic.delay_time_ms: 300 -> 500' restore --no-backup -
printf 'format = 1\n[basic]\ndelay_time_ms = 505\n' >"$work/in"
expect 65 'standard input:3: basic.delay_time_ms: 505' restore -

# A reader that has gone (show | head): a command that only reads ends
# quietly by SIGPIPE, as cat does; one that has written to the adapter
# tells it with 73.
while read -r want args; do
    # shellcheck disable=SC2086  # the arguments are split on blanks
    { "$ctl" --demo-reset $args 2>"$work/err"; echo $? >"$work/status"; } | (exec 0<&-; sleep .3)
    status=$(cat "$work/status")
    if [ "$status" != "$want" ] || { [ "$want" = 141 ] && [ -s "$work/err" ]; }; then
        echo "FAIL: brisel-ctl --demo $args | (closed): exit $status, not $want"
        cat "$work/err"
        failed=1
    fi
done <<LIST
141 show
141 --version
141 get basic.delay_time_ms
141 detect
73 set basic.delay_time_ms=400
73 --json restore --no-backup $work/f.toml
LIST
exit $failed
