# Shared by the packaging tests: ctest treats exit code 77 as "skipped".

skip() {
    echo "SKIPPED: $*"
    exit 77
}

fail() {
    echo "FAILED: $*"
    exit 1
}

# Skips the test when a tool it needs is not installed.
need_tool() {
    command -v "$1" >/dev/null 2>&1 ||
        skip "$1 is not installed (package $2; scripts/install-deps test installs it)"
}

# Installs the build folder $1 with prefix /usr into the empty folder $2: all
# of it, or only component $3 (brisel-ctl or brisel-setting).
install_into() {
    local component=()
    [ -n "${3:-}" ] && component=(--component "$3")
    DESTDIR="$2" cmake --install "$1" --prefix /usr "${component[@]}" >"$2.log" 2>&1 ||
        { cat "$2.log"; fail "cmake --install ${3:-} into $2 failed (is the build folder built?)"; }
}

# The Debian packages built from the one build; each install() names one as
# its component. A build without the desktop program (BRISEL_GUI off) has
# brisel-ctl alone; tests/packaging/CMakeLists.txt says which in
# BRISEL_PACKAGES.
packages() {
    echo "${BRISEL_PACKAGES:-brisel-ctl brisel-setting}"
}

# The .deb of package $2 that the packaging.deb_build test wrote into folder
# $1. When that test failed, ctest does not run the tests that read the
# packages; when it was skipped for a missing tool, they are skipped too.
built_deb() {
    local found=("$1/$2"_*.deb)
    [ -f "${found[0]}" ] || skip "no $2 package in $1: packaging.deb_build was skipped or not run"
    [ ${#found[@]} -eq 1 ] || fail "more than one $2 package in $1: ${found[*]}"
    echo "${found[0]}"
}

# Every file that package $1 holds, or with no argument every file the
# installation puts in place, relative to the prefix /usr.
expected_files() {
    local wanted=" ${1:-$(packages)} "
    if [[ $wanted == *" brisel-ctl "* ]]; then
        cat <<'LIST'
usr/bin/brisel-ctl
usr/lib/udev/rules.d/70-brisel-setting.rules
usr/share/bash-completion/completions/brisel-ctl
usr/share/doc/brisel-ctl/changelog.gz
usr/share/doc/brisel-ctl/copyright
usr/share/doc/brisel-ctl/settings.md
usr/share/man/man1/brisel-ctl.1.gz
LIST
    fi
    if [[ $wanted == *" brisel-setting "* ]]; then
        cat <<'LIST'
usr/bin/brisel-setting
usr/bin/brisel-setting-demo
usr/share/applications/brisel-setting-demo.desktop
usr/share/applications/brisel-setting.desktop
usr/share/brisel-setting/translations/brisel-setting_de.qm
usr/share/brisel-setting/translations/brisel-setting_ja.qm
usr/share/doc/brisel-setting/changelog.gz
usr/share/doc/brisel-setting/copyright
usr/share/icons/hicolor/scalable/apps/brisel-setting.svg
usr/share/man/man1/brisel-setting-demo.1.gz
usr/share/man/man1/brisel-setting.1.gz
usr/share/metainfo/org.brisel_setting.brisel_setting.metainfo.xml
LIST
    fi
}
