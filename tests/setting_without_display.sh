#!/bin/sh
# brisel-setting and its demo read their command line before anything needs
# a display: without one, --help and --version print and end with 0, and a
# command line they cannot take ends with 64, never with Qt's abort (134).
# Usage: setting_without_display.sh BRISEL_SETTING BRISEL_SETTING_DEMO
set -u
setting=$1 demo=$2
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb  # a window now would abort the program
failed=0

# expect STATUS TEXT PROGRAM ARGUMENT...: the program ends with STATUS and
# prints TEXT (on standard output for 0, else on standard error).
expect() {
    want=$1 text=$2
    shift 2
    out=$("$@" 2>/dev/null </dev/null) err=$("$@" 2>&1 >/dev/null </dev/null)
    "$@" >/dev/null 2>&1 </dev/null
    got=$?
    [ "$want" -eq 0 ] && said=$out || said=$err
    case $said in
        *"$text"*) [ "$got" -eq "$want" ] && { echo "ok: $* -> $got"; return; } ;;
    esac
    echo "FAILED: $* ended with $got, expected $want and '$text'; it said: $said"
    failed=1
}

expect 0 "Usage: brisel-setting [OPTION...]" "$setting" --help
expect 0 "brisel-setting 3.6.0" "$setting" --version
expect 64 "--device wants BUS:DEVICE" "$setting" --device 1-1.
expect 64 "unknown option --bogus" "$setting" --bogus
expect 0 "--lacking=FEATURE" "$demo" --help
expect 0 "brisel-setting-demo 3.6.0" "$demo" --version
expect 64 "--lacking wants" "$demo" --lacking=gps
exit $failed
