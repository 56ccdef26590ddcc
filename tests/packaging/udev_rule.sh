#!/usr/bin/env bash
# Reads the udev rule as installed and checks what gives the local user access
# to the adapter: a rule on the usb subsystem that matches its vendor and
# product IDs the way sysfs spells them (lower-case hex), tags it "uaccess",
# makes no device node world-writable, and runs before 73-seat-late.rules,
# which turns the tag into an access list.
# Usage: udev_rule.sh BUILD_FOLDER WORK_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"

build=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
install_into "$build" "$work/root"

rules=("$work"/root/usr/lib/udev/rules.d/*)
[ -f "${rules[0]}" ] || fail "no udev rule installed under /usr/lib/udev/rules.d"
[ ${#rules[@]} -eq 1 ] || fail "expected one udev rule, found: ${rules[*]}"
rule_file=${rules[0]}
name=$(basename "$rule_file")
echo "rule file: $name"

[[ $name == *.rules ]] || fail "$name: udev reads only files ending in .rules"
[[ $name =~ ^[0-9]{2}- ]] || fail "$name: the file name does not start with a two-digit number"
if ! LC_ALL=C bash -c '[[ "$1" < "73-seat-late.rules" ]]' _ "$name"; then
    fail "$name sorts after 73-seat-late.rules, so the uaccess tag would come too late"
fi

# One rule per line after joining continuation lines; comments and blank lines dropped.
mapfile -t lines < <(sed -e ':a' -e '/\\$/{N;s/\\\n//;ba}' "$rule_file" |
                     grep -v -E '^[[:space:]]*(#|$)')
[ ${#lines[@]} -gt 0 ] || fail "$name holds no rule"

key_re='[A-Z_]+(\{[^}]*\})?[[:space:]]*(==|!=|\+=|-=|:=|=)[[:space:]]*"[^"]*"'
# True when the rule being looked at holds the key, operator and value $1.
# grep reads to the end (no -q): under pipefail an early exit would kill printf by SIGPIPE.
has() { printf '%s\n' "${pairs[@]}" | grep -x -F -- "$1" >/dev/null; }

found=0
for line in "${lines[@]}"; do
    mapfile -t pairs < <(grep -o -E "$key_re" <<<"$line" | sed -E 's/[[:space:]]*(==|!=|\+=|-=|:=|=)[[:space:]]*/\1/')

    # A mode whose "others" digit allows writing opens the adapter to every local user.
    for pair in "${pairs[@]}"; do
        if [[ $pair =~ ^MODE:?=\"([0-7]+)\"$ ]]; then
            mode=${BASH_REMATCH[1]}
            (( (8#$mode & 8#002) == 0 )) || fail "world-writable mode in: $line"
        fi
    done

    if has 'SUBSYSTEM=="usb"' &&
       { has 'ATTR{idVendor}=="04d8"' || has 'ATTRS{idVendor}=="04d8"'; } &&
       { has 'ATTR{idProduct}=="0300"' || has 'ATTRS{idProduct}=="0300"'; } &&
       has 'TAG+="uaccess"'; then
        found=1
        echo "matching rule: $line"
    fi
done
[ $found -eq 1 ] || fail "no rule in $name matches SUBSYSTEM==\"usb\", idVendor==\"04d8\", idProduct==\"0300\" with TAG+=\"uaccess\""
echo "PASSED"
