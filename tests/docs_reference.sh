#!/bin/bash
# Holds the lists the documents repeat to the program's own tables:
# - docs/settings.md has one row per key that "brisel-ctl show" writes, in
#   its group's section, and no other, each with the value the demo adapter
#   starts with as "show" writes it;
# - the manual page's groups are those "show" writes, its --lacking names
#   (and the demo's) those the program takes, and its EXIT STATUS lists the
#   statuses of cli/exit_status.h, no more and no fewer;
# - every status the troubleshooting page names is one of them;
# - the README's install table lists the files scripts/package makes.
# Usage: docs_reference.sh SOURCE_DIR BRISEL_CTL WORK_FOLDER
set -u
source=$1 ctl=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# Two sorted lists, $1 and $2, named $3 and $4, must be the same.
same() {
    if ! diff -u --label "$3" --label "$4" <(sort <<<"$1") <(sort <<<"$2"); then
        fail "$3 and $4 differ (above: - $3, + $4)"
    fi
}

# "group.key = value" of every key, as the demo adapter starts.
HOME=$work "$ctl" --demo-file "$work/demo.toml" --demo-reset show >"$work/show" || fail "brisel-ctl show failed"
shown=$(awk '/^\[/ { group = substr($0, 2, length($0) - 2); next }
             / = / && group != "" { sub(/  # .*/, ""); print group "." $0 }' "$work/show")
[ "$(wc -l <<<"$shown")" -gt 40 ] || fail "brisel-ctl show listed too few keys: $shown"

# The same from the reference: the first cell and the last of each row.
documented=$(awk -F' [|] ' '/^## [a-z_]+:/ { group = substr($1, 4, index($1, ":") - 4); next }
                           /^[|] `/ { key = $1; sub(/^[|] /, "", key); value = $NF; sub(/ [|]$/, "", value)
                                      gsub(/`/, "", key); gsub(/^`|`$/, "", value)
                                      print group "." key " = " value }' "$source/docs/settings.md")
same "$shown" "$documented" "brisel-ctl show" "docs/settings.md"

man=$source/packaging/brisel-ctl.1
groups=$(sed -n 's/^\[\([a-z_]*\)\]$/\1/p' "$work/show")
man_groups=$(sed -n '/^\.SH THE SETTINGS FILE/,/^\.SH/ s/^\.B[R]* \[\([a-z_]*\)\].*/\1/p' "$man")
same "$groups" "$man_groups" "brisel-ctl show's groups" "the manual page's groups"

# --lacking: the names the program lists when it refuses one, and together
# they leave the emulated adapter no optional feature.
taken=$(HOME=$work "$ctl" --demo-file "$work/demo.toml" --lacking=- detect 2>&1 |
    sed -n 's/.*--lacking wants some of \(.*\), joined by commas.*/\1/p' | sed 's/, /\n/g')
for page in brisel-ctl.1 brisel-setting-demo.1; do
    lacking=$(sed -n '/^\.BI \\-\\-lacking=/,/joined by commas/ s/^\.BR* \([a-z_]*\)\( ,\)*$/\1/p' \
        "$source/packaging/$page")
    same "$taken" "$lacking" "brisel-ctl's --lacking names" "the --lacking names of $page"
done
features=$(HOME=$work "$ctl" --demo-file "$work/demo.toml" --lacking="$(paste -sd, <<<"$taken")" detect |
    sed -n 's/^  [a-z_]*: //p' | sort -u)
[ "$features" = no ] || fail "--lacking with all its names leaves features: $features"

statuses=$(sed -n 's/^inline constexpr int [A-Za-z]* = \([0-9]*\);.*/\1/p' "$source/cli/exit_status.h")
man_statuses=$(sed -n '/^\.SH EXIT STATUS/,/^\.SH/ { /^\.TP/ { n; s/^\.B \([0-9]*\)$/\1/p } }' "$man")
same "$statuses" "$man_statuses" "cli/exit_status.h" "the manual page's EXIT STATUS"

# "(NN)" in the troubleshooting table: a status brisel-ctl has.
for status in $(grep '^| ' "$source/docs/troubleshooting.md" | grep -o '([0-9]*)' | tr -d '()' | sort -u); do
    grep -qx "$status" <<<"$statuses" || fail "docs/troubleshooting.md names status $status, which brisel-ctl has not"
done

# The files scripts/package says it made, and the README's table of them,
# with the version written as VERSION.
version=$(sed -n 's/^project(brisel-setting VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
packaged=$(sed -n 's/^describe "*\([^" ]*\)"* .*/\1/p' "$source/scripts/package" | sed 's/\${*version}*/VERSION/')
listed=$(sed -n '/^| File in `dist\/`/,/^$/ s/^| `\([^`]*\)` |.*/\1/p' "$source/README.md" | sed "s/$version/VERSION/")
same "$packaged" "$listed" "scripts/package's files" "the README's install table"

[ $failed -eq 0 ] && echo "The documents' lists hold to the program's tables."
exit $failed
