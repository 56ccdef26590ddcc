#!/usr/bin/env bash
# Installs the build folder and loads brisel-ctl's bash completion from where
# it was installed, which must be the folder bash-completion's pkg-config
# file names; then completes command lines as bash would hand them over
# (COMP_WORDS, COMP_CWORD, COMP_LINE, COMP_POINT) and checks the answers:
# commands, every option and group that brisel-ctl --help lists, keys for
# get and set, true and false after a switch's KEY=, file names for backup,
# restore, diff, --demo-state and --demo-file, feature names for --lacking.
# Usage: bash_completion.sh BUILD_FOLDER WORK_FOLDER
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_tool pkg-config pkg-config
[ -f /usr/share/bash-completion/bash_completion ] ||
    skip "bash-completion is not installed (package bash-completion; scripts/install-deps test installs it)"

build=$1 work=$2
rm -rf "$work" && mkdir -p "$work/files/folder"
install_into "$build" "$work/root"
ctl=$work/root/usr/bin/brisel-ctl

completions=$(pkg-config --variable=completionsdir bash-completion)
[[ $completions == /usr/* ]] || fail "bash-completion's completionsdir $completions is not under /usr"
script=$work/root$completions/brisel-ctl
[ -f "$script" ] || fail "no completion installed as $completions/brisel-ctl"

# What brisel-ctl --help lists.
help=$("$ctl" --help)
help_commands=$(sed -n '/^Commands:/,/^$/p' <<<"$help" | awk 'NR > 1 && NF { print $1 }')
help_options=$(grep -o -E '^  --[a-z-]+' <<<"$help" | tr -d ' ')
help_groups=$(sed -n 's/^Groups: //p' <<<"$help" | tr -d ',' | tr ' ' '\n')
[ -n "$help_commands" ] && [ -n "$help_options" ] && [ -n "$help_groups" ] ||
    fail "cannot read the commands, options and groups from brisel-ctl --help"

set +eu
source /usr/share/bash-completion/bash_completion
source "$script"
# Outside readline compopt has nothing to act on; note what was asked of it.
compopt() { printf '%s\n' "$*" >>"$work/compopt"; }

complete -p brisel-ctl | grep -q -x -F 'complete -F _brisel_ctl brisel-ctl' ||
    fail "complete -p brisel-ctl says: $(complete -p brisel-ctl 2>&1)"

# Completes the command line $1 with the cursor at its end, split into words
# as bash splits it (at blanks, and '=' and ':' as words of their own), and
# prints the answers sorted, one a line.
complete_line() {
    local line=$1 word
    COMP_WORDS=()
    for word in $line; do
        while [[ $word =~ ^([^=:]*)([=:])(.*)$ ]]; do
            [ -n "${BASH_REMATCH[1]}" ] && COMP_WORDS+=("${BASH_REMATCH[1]}")
            COMP_WORDS+=("${BASH_REMATCH[2]}")
            word=${BASH_REMATCH[3]}
        done
        [ -n "$word" ] && COMP_WORDS+=("$word")
    done
    [[ $line == *' ' ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$line
    COMP_POINT=${#line}
    COMPREPLY=()
    rm -f "$work/compopt"
    _brisel_ctl brisel-ctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    [ ${#COMPREPLY[@]} -eq 0 ] || printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
}

# Checks that line $1 completes to exactly the words $2 (one a line).
expect() {
    local got
    got=$(cd "$work/files" && complete_line "$1")
    [ "$got" = "$(printf '%s\n' $2 | sed '/^$/d' | LC_ALL=C sort)" ] ||
        fail "'$1' completes to [$(echo $got)], expected [$(echo $2)]"
    echo "ok: '$1' -> $(echo $got)"
}

# Checks that line $1 completes to words among which are all of $2.
expect_among() {
    local got word
    got=$(cd "$work/files" && complete_line "$1")
    for word in $2; do
        grep -q -x -F -- "$word" <<<"$got" || fail "'$1' does not offer $word; it offers [$(echo $got)]"
    done
    echo "ok: '$1' offers $(echo $2)"
}

touch "$work/files/site.toml" "$work/files/spare.toml"

expect "brisel-ctl " "$help_commands"
expect "brisel-ctl re" "render restore"
expect "brisel-ctl --" "$help_options"
expect "brisel-ctl --dry" "--dry-run"
expect "brisel-ctl --demo d" "detect diff"
expect "brisel-ctl --device 1:7 sh" "show"
expect "brisel-ctl show " "$help_groups"
expect "brisel-ctl show s" "slow_data serial_port"
expect "brisel-ctl show basic --" "$help_options"
expect "brisel-ctl get basic.delay" "basic.delay_time_ms"
expect_among "brisel-ctl get " "basic.delay_time_ms repeater.alt_my_call beacon.interval_s serial_port.mode"
expect "brisel-ctl set beacon.int" "beacon.interval_s="
grep -q -x -F -- '-o nospace' "$work/compopt" || fail "set's KEY= is followed by a blank"
expect "brisel-ctl set basic.half_duplex=" "true false"
expect "brisel-ctl set basic.half_duplex=f" "false"
expect "brisel-ctl set basic.delay_time_ms=" ""
expect "brisel-ctl restore " "site.toml spare.toml folder"
expect "brisel-ctl --dry-run restore si" "site.toml"
expect "brisel-ctl diff site.toml " ""
expect "brisel-ctl backup sp" "spare.toml"
expect "brisel-ctl --demo-state s" "site.toml spare.toml"
expect "brisel-ctl --demo-state=s" "site.toml spare.toml"
expect "brisel-ctl --demo-state site.toml " "$help_commands"
expect "brisel-ctl --demo-file s" "site.toml spare.toml"
expect "brisel-ctl --demo-file site.toml " "$help_commands"
expect "brisel-ctl --device " ""
expect "brisel-ctl --device=" ""
expect "brisel-ctl --wait=" ""
expect "brisel-ctl --lacking " "slow_data beacon serial_port squelch jitter_buffer"
expect "brisel-ctl --lacking=beacon,s" "beacon,slow_data beacon,serial_port beacon,squelch"
expect "brisel-ctl --lacking beacon d" "detect diff"
expect "brisel-ctl --wait " "$help_commands"

# Every key that brisel-ctl show writes is offered for get.
keys=$("$ctl" --demo-reset --demo-file "$work/demo-adapter.toml" show | awk '/^\[/ { group = substr($1, 2, length($1) - 2) } group && /^[a-z_0-9]+ = / { print group "." $1 }')
[ -n "$keys" ] || fail "brisel-ctl --demo show printed no keys"
expect "brisel-ctl get " "$keys"
echo "PASSED"
