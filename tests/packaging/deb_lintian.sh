#!/usr/bin/env bash
# Runs lintian on the built packages: no error may remain. Warnings and
# informational tags are printed for review.
# Usage: deb_lintian.sh PACKAGE_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool lintian lintian

debs=()
for package in $(packages); do
    debs+=("$(built_deb "$1" "$package")")
done
lintian --info --display-info --fail-on error "${debs[@]}" || fail "lintian reports errors on ${debs[*]##*/}"
echo "PASSED"
