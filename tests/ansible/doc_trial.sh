#!/bin/sh
# The trial of docs/ansible.md, run as the reader runs it: the collection as
# built, installed into a folder of its own, and the walk-through "trial" of
# the document with brisel-ctl on the PATH. One site after the other, so
# that the sites' outputs come in the order the document shows.
# Usage: doc_trial.sh DOCUMENT TARBALL BRISEL_CTL WORK_FOLDER [DOCUMENT...]
set -eu
doc=$1 tarball=$2 ctl=$3 work=$4
shift 4
command -v ansible-playbook >/dev/null || { echo "SKIPPED: ansible-playbook is missing (Debian: ansible-core)"; exit 77; }
rm -rf "$work.collections" && mkdir -p "$work.collections"
HOME=$work.collections ansible-galaxy collection install --offline -p "$work.collections" "$tarball" >/dev/null
ANSIBLE_COLLECTIONS_PATH=$work.collections ANSIBLE_FORKS=1 ANSIBLE_NOCOLOR=1 \
    exec bash "$(dirname "$0")/../doc_walkthrough.sh" "$doc" trial "$ctl" "$work" "$@"
