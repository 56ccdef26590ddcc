#!/usr/bin/env bash
# Builds the Debian package from the build folder with CPack, into a folder of
# its own that the other packaging.deb_* tests read.
# Usage: deb_build.sh BUILD_FOLDER OUTPUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool dpkg-deb dpkg
need_tool dpkg-shlibdeps dpkg-dev
need_tool file file

build=$1 out=$2
rm -rf "$out" && mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" || fail "cpack could not build the package"
rm -rf "$out/_CPack_Packages"
deb=$(built_deb "$out")
echo "built $deb"
