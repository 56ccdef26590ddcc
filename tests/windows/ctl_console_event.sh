#!/bin/sh
# Ctrl+C reaches brisel-ctl.exe as a console event while it writes: Wine
# hands a SIGINT sent to a console program's process to its console
# handlers as CTRL_C_EVENT. Sent as the first write of a restore of three
# groups goes out, the basic group is finished (its writes, its pause, its
# read-back), the other two are not begun, the command says so and ends
# with 130, and it leaves no record, since its result was told.
# Usage: ctl_console_event.sh BRISEL_CTL WORK_FOLDER
ctl=$1
work=$2
rm -rf "$work" && mkdir -p "$work" || exit 1
demo="Z:$work/demo-adapter.toml"
printf 'format = 1\n[basic]\ndelay_time_ms = 500\n[repeater]\nalt_my_call = "N0NEW"\n[beacon]\ninterval_s = 20\n' \
    >"$work/three.toml"
"$ctl" --demo-file "$demo" show >/dev/null 2>&1 || { echo "FAIL: the demo adapter could not be made"; exit 1; }
# childrenOf PID: the processes whose parent is PID, from /proc/N/stat,
# where the parent follows the state after the name's closing bracket.
childrenOf() {
    parent=$1
    for stat in /proc/[0-9]*/stat; do
        read -r line <"$stat" 2>/dev/null || continue
        # Split into its fields on purpose; none holds a wildcard.
        # shellcheck disable=SC2086
        set -- ${line##*) }
        if [ "$2" = "$parent" ]; then
            pid=${stat#/proc/}
            echo "${pid%/stat}"
        fi
    done
}
mkfifo "$work/trace" || exit 1
# The trace and the messages alike go to the log.
"$ctl" --demo-file "$demo" --trace restore --no-backup "Z:$work/three.toml" >"$work/trace" 2>&1 &
runner=$!
sent=no
# The basic group's first write sets the delay time (0x02).
while IFS= read -r line; do
    printf '%s\n' "$line" >>"$work/log"
    case "$sent:$line" in
    "no:write 0x02 "*)
        # The Windows program is the wrapper's own child (found through
        # /proc: procps need not be installed).
        # shellcheck disable=SC2046  # one process number a word
        kill -INT $(childrenOf "$runner") && sent=yes
        printf 'SIGINT sent\n' >>"$work/log"
        ;;
    esac
done <"$work/trace"
wait "$runner"
status=$?
failed=0
fail() {
    printf 'FAIL: %s\n' "$1"
    failed=1
}
[ "$sent" = yes ] || fail "no write of the delay time was seen"
[ "$status" = 130 ] || fail "exit $status, not 130"
for text in "brisel-ctl: Stopped by SIGINT once the group under way was finished." "Written completely: basic." \
    "Not written: repeater, beacon."; do
    tr -d '\r' <"$work/log" | grep -qxF -- "$text" || fail "no line '$text'"
done
# After the signal: the basic group's writes to its end, its pause and its
# read-back, which only reads; no other group's write follows.
tr -d '\r' <"$work/log" | sed -n '/^SIGINT sent$/,$p' | grep -q '^pause 200 ms$' || fail "the basic group's pause was not taken"
tr -d '\r' <"$work/log" | sed -n '/^pause 200 ms$/,$p' | grep -q '^write ' && fail "a write went out after the basic group"
"$ctl" --demo-file "$demo" get basic.delay_time_ms repeater.alt_my_call >"$work/after" 2>"$work/after-err"
tr -d '\r' <"$work/after" | grep -qxF 'basic.delay_time_ms = 500' || fail "the basic group was not written"
tr -d '\r' <"$work/after" | grep -qF 'N0NEW' && fail "the repeater group was written"
[ -s "$work/after-err" ] && fail "a record was left: $(cat "$work/after-err")"
if [ "$failed" != 0 ]; then
    echo "--- its output"
    cat "$work/log"
fi
exit $failed
