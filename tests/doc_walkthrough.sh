#!/bin/bash
# Runs a walk-through of a document (the README, docs/*.md) as a reader
# types it and compares what it prints with what the document shows. The
# walk-through is the code block after the line "<!-- walk-through: NAME -->":
# "$ " starts a command, every other line is what the commands before it
# print (standard output and error). The reader's home folder and the date
# and time in backup names are the only things that may differ.
# The files the document shows, each the code block after a line
# "<!-- file: FILE -->" in it or in the further documents given, are in the
# folder where the commands run.
# Usage: doc_walkthrough.sh DOCUMENT NAME BRISEL_CTL WORK_FOLDER [DOCUMENT...]
set -u
readme=$1 name=$2 ctl=$3 work=$4
shift 4
rm -rf "$work" && mkdir -p "$work/home" "$work/bin" "$work/run" || exit 1
ln -s "$(realpath "$ctl")" "$work/bin/brisel-ctl" || exit 1

# The code block after the line $1 in the document $2, unindented.
block() {
    awk -v marker="$1" '
        $0 == marker { found = 1; next }
        found && /^```/ { if (inside) exit; inside = 1; next }
        inside { print }
    ' "$2"
}

for document in "$readme" "$@"; do
    while IFS= read -r file; do
        block "<!-- file: $file -->" "$document" >"$work/run/$file" || exit 1
    done < <(sed -n 's/^<!-- file: \([A-Za-z0-9._-]*\) -->$/\1/p' "$document")
done

# The block: from the marker's fence to the closing one, unindented.
block "<!-- walk-through: $name -->" "$readme" >"$work/block"
[ -s "$work/block" ] || { echo "FAIL: no walk-through '$name' in $readme"; exit 1; }

# One script that echoes each command as the document shows it, then runs it.
{
    echo 'set -u'
    while IFS= read -r line; do
        case $line in
        '$ '*)
            printf 'printf "%%s\\n" %q\n' "$line"
            printf '{ %s\n} 2>&1\n' "${line#\$ }"
            ;;
        esac
    done <"$work/block"
} >"$work/script"

# Times in backup names, and the home folder, as the document writes them;
# blanks at the ends of lines are left out.
normal() {
    sed -E -e "s#$work/home#/home/you#g" -e 's/[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{6}(_[0-9]+)?/YYYY-MM-DD_HHMMSS/g' \
        -e 's/ +$//'
}
# A clean environment, but for Ansible's settings, which say where the
# reader installed the collection.
mapfile -t ansible < <(env | grep -E '^ANSIBLE_[A-Z_]+=')
(cd "$work/run" && env -i PATH="$work/bin:/usr/bin:/bin" HOME="$work/home" LANG=C.UTF-8 "${ansible[@]}" bash "$work/script") \
    | normal >"$work/got"
normal <"$work/block" >"$work/want"
if ! diff -u "$work/want" "$work/got"; then
    echo "FAIL: the walk-through '$name' of $readme prints otherwise (above: - document, + now)"
    exit 1
fi
echo "The walk-through '$name' printed what the document shows:"
cat "$work/got"
