#!/usr/bin/env bash
# Runs lintian on the built packages: no error may remain, nor a warning
# where BRISEL_LINTIAN_FAIL_ON is "error,warning". Whatever else lintian
# says is printed for review.
# Usage: deb_lintian.sh PACKAGE_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool lintian lintian

debs=()
for package in $(packages); do
    debs+=("$(built_deb "$1" "$package")")
done
fail_on=${BRISEL_LINTIAN_FAIL_ON:-error}
lintian --info --display-info --fail-on "$fail_on" "${debs[@]}" ||
    fail "lintian reports tags of the levels $fail_on on ${debs[*]##*/}"
echo "PASSED"
