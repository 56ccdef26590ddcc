#!/usr/bin/env bash
# Runs lintian on the built package: no error may remain. Warnings and
# informational tags are printed for review.
# Usage: deb_lintian.sh PACKAGE_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool lintian lintian

deb=$(built_deb "$1")
lintian --info --display-info --fail-on error "$deb" || fail "lintian reports errors on $(basename "$deb")"
echo "PASSED"
