#!/bin/sh
# brisel-ctl.exe under Wine over USB: the stand-in libusb0.dll is put in the
# Wine prefix's system folder, where the program looks for libusb-win32's,
# for the length of this test alone, and the devices it lists are emulated
# adapters. Each run's exit status, what it says, and what reached the
# adapter (the stand-in's request log).
# Usage: ctl_usb.sh BRISEL_CTL WORK_FOLDER STANDIN_DLL SYSTEM_FOLDER
ctl=$1
work=$2
standin=$3
system=$4
rm -rf "$work" && mkdir -p "$work" || exit 1
"$ctl" --version >/dev/null 2>&1 # the Wine prefix is made on its first run
cp "$standin" "$system/libusb0.dll" || exit 1
trap 'rm -f "$system/libusb0.dll"' EXIT
export BRISEL_STANDIN_LOG="Z:$work/log"
failed=0
# expect DEVICES STATUS SENT TEXT ARGUMENTS...: with the stand-in listing
# DEVICES, the exit status, whether anything reached an adapter (yes/no),
# and a line of output holding TEXT.
expect() {
    devices=$1 status=$2 sent=$3 text=$4
    shift 4
    rm -f "$work/log"
    BRISEL_STANDIN_DEVICES=$devices "$ctl" "$@" >"$work/out" 2>&1
    got=$?
    if [ -s "$work/log" ]; then reached=yes; else reached=no; fi
    if [ "$got" != "$status" ] || [ "$reached" != "$sent" ] || ! tr -d '\r' <"$work/out" | grep -qF -- "$text"; then
        echo "FAIL: [$devices] brisel-ctl $*: exit $got, sent $reached (wanted $status, $sent and '$text'):"
        cat "$work/out"
        failed=1
    fi
}
# Addresses of their own: the adapters' locks are the machine's, shared with
# the other tests that run at the same time.
adapter=7:91:04d8:0300
expect "" 69 no "No DV Brisel (Relavox) on the USB buses." detect
expect "$adapter" 0 yes '\\.\libusb0-0091--0x04d8-0x0300  (used)' detect
expect "$adapter" 0 yes "Firmware: DV Brisel PIC V01.07" detect
expect "$adapter" 0 yes '"status": "opened"' detect --json
expect "$adapter" 69 no "No DV Brisel (Relavox) at 9:9." --device 9:9 detect
expect "$adapter" 0 yes "basic.delay_time_ms = 300" get basic.delay_time_ms
# Another product ID and another vendor are passed over; --device takes BUS:DEVICE.
expect "7:92:04d8:0301,7:93:0300:04d8,8:94:04d8:0300" 0 yes "basic.delay_time_ms = 300" --device 8:94 get basic.delay_time_ms
expect "7:92:04d8:0301" 69 no "Does not find the DV Brisel (Relavox)." get basic.delay_time_ms
# A write reaches the adapter as its request: 500 ms in units of 10 ms.
expect "$adapter" 0 yes "basic.delay_time_ms = 500" set basic.delay_time_ms=500
grep -q "write 0x02 bmRequestType=0x40 wValue=0x0032 len=0 -> 0" "$work/log" || {
    echo "FAIL: the write of 500 ms did not reach the adapter:"
    cat "$work/log"
    failed=1
}
# A restore saves the adapter's settings first and shows the command that
# puts them back, its path as Windows writes it.
printf 'format = 1\n[basic]\ndelay_time_ms = 500\n' >"$work/f.toml"
expect "$adapter" 0 yes 'this puts them back:' restore "Z:$work/f.toml"
tr -d '\r' <"$work/out" | grep -q '^  brisel-ctl --device 7:91 restore C:\\[^\\]' || {
    echo "FAIL: the command that puts the settings back:"
    cat "$work/out"
    failed=1
}
exit $failed
