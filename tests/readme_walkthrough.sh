#!/bin/bash
# Runs a walk-through of README.md as a reader types it and compares what it
# prints with what the README shows. The walk-through is the code block after
# the line "<!-- walk-through: NAME -->": "$ " starts a command, every other
# line is what the commands before it print (standard output and error).
# The reader's home folder and the date and time in backup names are the
# only things that may differ.
# Usage: readme_walkthrough.sh README NAME BRISEL_CTL WORK_FOLDER
set -u
readme=$1 name=$2 ctl=$3 work=$4
rm -rf "$work" && mkdir -p "$work/home" "$work/bin" "$work/run" || exit 1
ln -s "$(realpath "$ctl")" "$work/bin/brisel-ctl" || exit 1

# The block: from the marker's fence to the closing one, unindented.
awk -v marker="<!-- walk-through: $name -->" '
    $0 == marker { found = 1; next }
    found && /^```/ { if (inside) exit; inside = 1; next }
    inside { print }
' "$readme" >"$work/block"
[ -s "$work/block" ] || { echo "FAIL: no walk-through '$name' in $readme"; exit 1; }

# One script that echoes each command as the README shows it, then runs it.
{
    echo 'set -u'
    while IFS= read -r line; do
        case $line in
        '$ '*)
            printf 'printf "%%s\\n" %q\n' "$line"
            printf '%s 2>&1\n' "${line#\$ }"
            ;;
        esac
    done <"$work/block"
} >"$work/script"

# Times in backup names, and the home folder, as the README writes them.
normal() {
    sed -E -e "s#$work/home#/home/you#g" -e 's/[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{6}(_[0-9]+)?/YYYY-MM-DD_HHMMSS/g'
}
(cd "$work/run" && env -i PATH="$work/bin:/usr/bin:/bin" HOME="$work/home" LANG=C.UTF-8 bash "$work/script") \
    | normal >"$work/got"
normal <"$work/block" >"$work/want"
if ! diff -u "$work/want" "$work/got"; then
    echo "FAIL: the walk-through '$name' of $readme prints otherwise (above: - README, + now)"
    exit 1
fi
echo "The walk-through '$name' printed what the README shows:"
cat "$work/got"
