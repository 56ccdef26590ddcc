#!/usr/bin/env bash
# Installs the build folder into an empty DESTDIR and compares the files that
# arrive with the list of what the program installs: nothing missing, nothing
# more; then each component alone, which must bring exactly the files of its
# package. Also checks that the compressed files are intact and the programs
# are executable.
# Usage: install_tree.sh BUILD_FOLDER WORK_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"

build=$1 work=$2
rm -rf "$work" && mkdir -p "$work"

# Compares the files under folder $1 with the expected list of package $2 (all when empty).
compare() {
    (cd "$1" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort) >"$1.installed"
    expected_files "$2" | LC_ALL=C sort >"$1.expected"
    diff -u "$1.expected" "$1.installed" ||
        fail "the files installed ${2:+for component $2 }differ from the expected list (- missing, + unexpected)"
}

install_into "$build" "$work/root"
compare "$work/root" ""
for package in $(packages); do
    install_into "$build" "$work/$package" "$package"
    compare "$work/$package" "$package"
done

while read -r program; do
    [ -x "$work/root/$program" ] || fail "$program is not executable"
done < <(expected_files | grep '^usr/bin/')
while read -r file; do
    gzip -t "$work/root/$file" || fail "$file is not a valid gzip file"
done < <(expected_files | grep '\.gz$')
echo "PASSED"
