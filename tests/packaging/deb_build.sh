#!/usr/bin/env bash
# Builds the Debian packages, brisel-ctl and brisel-setting, from the build
# folder with CPack, into a folder of their own that the other
# packaging.deb_* tests read.
# Usage: deb_build.sh BUILD_FOLDER OUTPUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool dpkg-deb dpkg
need_tool dpkg-shlibdeps dpkg-dev
need_tool file file

build=$1 out=$2
rm -rf "$out" && mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" || fail "cpack could not build the packages"
rm -rf "$out/_CPack_Packages"

expected=()
for package in $(packages); do
    deb=$(built_deb "$out" "$package")
    [ "$(dpkg-deb -f "$deb" Package)" = "$package" ] || fail "$(basename "$deb") is not the package $package"
    echo "built $deb"
    expected+=("$deb")
done
found=("$out"/*.deb)
[ ${#found[@]} -eq ${#expected[@]} ] || fail "cpack wrote other packages too: ${found[*]}"
