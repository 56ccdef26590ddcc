#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The collection over three emulated sites, as a user runs it: ansible-test
# integration runs this from the installed collection, with brisel-ctl on
# PATH; ansible-playbook runs against the local host, where the inventory's
# three hosts each have their own demo file and backups.
set -euo pipefail
ctl=$(command -v brisel-ctl) || { echo "brisel-ctl is not on PATH"; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brisel-sites.XXXXXX")
trap 'rm -rf "$work"' EXIT
sites="north south east"
# The sites' adapters are the demo that remembers what is written.
"$ctl" --help | grep -q -- '--demo-file' ||
  { echo "SKIPPED: $ctl has no --demo-file, the demo that keeps its settings between runs"; exit 77; }

mkdir -p "$work/home" "$work/tmp"
# Nothing of the user's Ansible or state is read or written.
export HOME=$work/home ANSIBLE_CONFIG=$work/none.cfg ANSIBLE_LOCAL_TEMP=$work/tmp \
  ANSIBLE_REMOTE_TEMP=$work/tmp ANSIBLE_COLLECTIONS_SCAN_SYS_PATH=false ANSIBLE_NOCOLOR=1 ANSIBLE_RETRY_FILES_ENABLED=false \
  ANSIBLE_STDOUT_CALLBACK=default ANSIBLE_LOAD_CALLBACK_PLUGINS=false PYTHONDONTWRITEBYTECODE=1
unset XDG_STATE_HOME

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# Runs a playbook of this folder with the extra variables given; its output
# goes to $out, its status to $status.
play() {
  local book=$1
  shift
  status=0
  out=$(cd "$here" && ansible-playbook -i inventory.yml "$book" -e "work=$work" -e "brisel_ctl=$ctl" "$@" 2>&1) ||
    status=$?
  printf '%s\n' "---- ansible-playbook $book $*" "$out"
}

expect_status() {
  [ "$status" -eq "$1" ] || fail "$2: ansible-playbook ended with $status, not $1"
}

# The recap line of a host: its changed and failed counts.
expect_recap() {
  local host=$1 changed=$2 failed=$3 what=$4
  grep -Eq "^$host +: ok=[0-9]+ +changed=$changed +unreachable=0 +failed=$failed " <<<"$out" ||
    fail "$what: $host is not changed=$changed failed=$failed"
}

expect_line() {
  grep -Fxq -- "$1" <<<"$out" || fail "$2: no line '$1'"
}

expect_text() {
  grep -Fq -- "$1" <<<"$out" || fail "$2: nothing says '$1'"
}

# What a site's emulated adapter holds now, read by brisel-ctl itself.
holds() {
  XDG_STATE_HOME=$work/$1 "$ctl" --demo-file="$work/$1/demo-adapter.toml" get basic.delay_time_ms repeater.alt_my_call
}

backups() {
  find "$work/$1" -path '*/backups/*.toml' 2>/dev/null | wc -l
}

# ansible-doc renders each module's documentation with its examples.
for module in settings facts; do
  doc=$(ansible-doc "brisel.adapter.$module" 2>&1) || fail "ansible-doc brisel.adapter.$module: $doc"
  for part in "OPTIONS" "EXAMPLES:" "RETURN VALUES:" "brisel.adapter.$module:"; do
    grep -Fq -- "$part" <<<"$doc" || fail "ansible-doc brisel.adapter.$module shows no $part"
  done
done

# Check mode first: it shows what would change and writes nothing.
for site in $sites; do mkdir -p "$work/$site"; done
play site.yml --check --diff
expect_status 0 "check mode"
for site in $sites; do expect_recap "$site" 1 0 "check mode"; done
expect_line "-basic.delay_time_ms = 300" "check mode"
expect_line "+basic.delay_time_ms = 500" "check mode"
expect_line '+repeater.alt_my_call = "DL1ABC"' "check mode"
expect_line '+repeater.alt_my_call = "DL2XYZ"' "check mode"
for site in $sites; do
  [ "$(holds "$site")" = $'basic.delay_time_ms = 300\nrepeater.alt_my_call = "N0CALL  "' ] ||
    fail "check mode wrote to $site: $(holds "$site")"
  [ "$(backups "$site")" -eq 0 ] || fail "check mode made a backup on $site"
done

# The first run writes, shows the diff per key and leaves one backup a site.
play site.yml --diff
expect_status 0 "first run"
for site in $sites; do expect_recap "$site" 1 0 "first run"; done
expect_line "-basic.delay_time_ms = 300" "first run"
expect_line "+basic.delay_time_ms = 500" "first run"
grep -Fq "beacon.message" <<<"$out" && fail "first run shows beacon.message, which the adapter held already"
expect_line '+repeater.alt_my_call = "DL1ABC"' "first run"
expect_line '+repeater.alt_my_call = "DL2XYZ"' "first run"
[ "$(holds north)" = $'basic.delay_time_ms = 500\nrepeater.alt_my_call = "DL1ABC  "' ] ||
  fail "north holds $(holds north)"
[ "$(holds south)" = $'basic.delay_time_ms = 500\nrepeater.alt_my_call = "DL2XYZ  "' ] ||
  fail "south holds $(holds south)"
for site in $sites; do [ "$(backups "$site")" -eq 1 ] || fail "first run: $site has $(backups "$site") backups"; done

# The facts module reads back what was written, types and all.
play facts.yml
expect_status 0 "facts"
for site in $sites; do expect_recap "$site" 0 0 "facts"; done

# A second run changes nothing and writes nothing; nor does check mode now.
play site.yml --diff
expect_status 0 "second run"
for site in $sites; do expect_recap "$site" 0 0 "second run"; done
for site in $sites; do [ "$(backups "$site")" -eq 1 ] || fail "second run: $site has a new backup"; done

# A firmware without a beacon fails the task with brisel-ctl's message and
# status, before anything is written; skip_missing leaves the beacon out.
play site.yml -e '{"lacking": ["beacon"], "more_keys": {"basic.delay_time_ms": 700}}'
expect_status 2 "lacking beacon"
for site in $sites; do expect_recap "$site" 0 1 "lacking beacon"; done
expect_text "brisel-ctl restore ended with status 76: The adapter's firmware lacks the beacon group; nothing was written" \
  "lacking beacon"
[ "$(holds north)" = $'basic.delay_time_ms = 500\nrepeater.alt_my_call = "DL1ABC  "' ] ||
  fail "lacking beacon: north holds $(holds north)"
play site.yml --diff -e '{"lacking": ["beacon"], "skip_missing": true, "more_keys": {"basic.delay_time_ms": 700}}'
expect_status 0 "lacking beacon, skip_missing"
for site in $sites; do expect_recap "$site" 1 0 "lacking beacon, skip_missing"; done
expect_line "+basic.delay_time_ms = 700" "lacking beacon, skip_missing"
expect_text "[WARNING]: Left out, as the adapter's firmware lacks them: beacon." \
  "lacking beacon, skip_missing"
# Run again, it changes nothing and warns of nothing.
play site.yml -e '{"lacking": ["beacon"], "skip_missing": true, "more_keys": {"basic.delay_time_ms": 700}}'
expect_status 0 "lacking beacon, skip_missing, again"
for site in $sites; do expect_recap "$site" 0 0 "lacking beacon, skip_missing, again"; done
grep -Fq "Left out" <<<"$out" && fail "an idempotent run warns of what skip_missing left out"
# Each write's automatic backup was fetched to the controller.
[ "$(find "$work/fetched" -name 'north_*.toml' | wc -l)" -eq 2 ] || fail "north's two backups were not fetched"

# The file a task would restore, without any adapter: nothing changes.
play site.yml -e state=rendered -e '{"more_keys": {"basic.delay_time_ms": 900}}'
expect_status 0 "rendered"
for site in $sites; do expect_recap "$site" 0 0 "rendered"; done

# Rollback: each site back to its newest automatic backup, in one task.
play site.yml --diff -e state=rolled_back
expect_status 0 "rolled back"
for site in $sites; do expect_recap "$site" 1 0 "rolled back"; done
expect_line "+basic.delay_time_ms = 500" "rolled back"
[ "$(holds north)" = $'basic.delay_time_ms = 500\nrepeater.alt_my_call = "DL1ABC  "' ] ||
  fail "rolled back: north holds $(holds north)"

# Drift: a key the task does not name, changed by hand on north since its
# newest backup, is reported, or fails the task before anything is written.
XDG_STATE_HOME=$work/north "$ctl" --demo-file="$work/north/demo-adapter.toml" set basic.time_out_s=200 >/dev/null
play site.yml -v -e drift=report
expect_status 0 "drift reported"
expect_text '"drift": [{"adapter": 200, "backup": 180, "key": "basic.time_out_s"}]' "drift reported"
for site in $sites; do expect_recap "$site" 0 0 "drift reported"; done
play site.yml -e drift=fail -e '{"more_keys": {"basic.delay_time_ms": 600}}'
expect_status 2 "drift fails"
expect_recap north 0 1 "drift fails"
expect_recap south 1 0 "drift fails"
expect_text "Drift in keys the task does not name: basic.time_out_s" "drift fails"

# An adapter that does not take a value: the task fails, naming the value,
# what it reads back, and what was written.
play site.yml -e '{"not_taking": true, "more_keys": {"basic.delay_time_ms": 800}}'
expect_status 2 "not taking"
for site in $sites; do expect_recap "$site" 0 1 "not taking"; done
expect_text "brisel-ctl restore ended with status 76: The adapter does not hold what was written:" "not taking"
expect_text "basic.delay_time_ms: wrote 800, reads back 500" "not taking"
expect_text 'reads back 500\nAlready written (groups basic): basic.delay_time_ms."' "not taking"

# An adapter in use by another program (a lock on north's demo file, as on a
# device node): north fails with brisel-ctl's message, south is ok.
setsid flock -o "$work/north/demo-adapter.toml" sleep 300 &
holder=$!
while flock -n "$work/north/demo-adapter.toml" true; do sleep 0.1; done
play site.yml -e '{"more_keys": {"basic.delay_time_ms": 700}}'
kill -- -"$holder"
wait "$holder" || true
expect_status 2 "in use"
expect_recap north 0 1 "in use"
expect_recap south 1 0 "in use"
expect_text "brisel-ctl restore ended with status 75: The DV Brisel (Relavox) is in use by another program, flock (process $holder)." \
  "in use"

# brisel-ctl missing on the host, by path and by name.
play site.yml -e "brisel_ctl=$work/nowhere/brisel-ctl"
expect_status 2 "brisel-ctl missing"
expect_text "brisel-ctl was not found on the host at $work/nowhere/brisel-ctl; install the package brisel-ctl" \
  "brisel-ctl missing"

# A program that is not brisel-ctl: the task shows the first bytes it printed.
play site.yml -e brisel_ctl=/bin/echo
expect_status 2 "not brisel-ctl"
# /bin/echo may end before the settings are written to its standard input:
# then that is what the task says instead of what it printed.
grep -Eq -- "brisel-ctl gave no JSON object \((exit status 0\); it printed '--json restore|it did not read its standard input)" \
  <<<"$out" || fail "not brisel-ctl: nothing names the program as not brisel-ctl"

[ "$failures" -eq 0 ] || { echo "$failures checks failed"; exit 1; }
echo "every check held"
