#!/usr/bin/env bash
# Installs the build folder into an empty DESTDIR and compares the files that
# arrive with the list of what the program installs: nothing missing, nothing
# more. Also checks that the compressed files are intact and the programs are
# executable.
# Usage: install_tree.sh BUILD_FOLDER WORK_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"

build=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
install_into "$build" "$work/root"

(cd "$work/root" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed"
expected_files | LC_ALL=C sort >"$work/expected"
if ! diff -u "$work/expected" "$work/installed"; then
    fail "the installed files differ from the expected list (- missing, + unexpected)"
fi

for program in brisel-setting brisel-setting-demo; do
    [ -x "$work/root/usr/bin/$program" ] || fail "usr/bin/$program is not executable"
done
while read -r file; do
    gzip -t "$work/root/$file" || fail "$file is not a valid gzip file"
done < <(grep '\.gz$' "$work/expected")
echo "PASSED"
