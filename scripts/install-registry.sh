#!/usr/bin/env bash
# Puts the HKEY_LOCAL_MACHINE registry file of a program folder in place the
# first time: into QUORVEL_REGISTRY_DIR when set, else the machine-wide
# /var/lib/quorvel/registry. An existing file is never replaced. A user who
# may not write there gets a note and the program still starts: it then finds
# HKEY_LOCAL_MACHINE not writable and keeps its settings in the settings
# database (System/Registry/reg.mdb).
# Usage: scripts/install-registry.sh <program folder>
set -uo pipefail
app="${1:?usage: $0 <program folder>}"
dir="${QUORVEL_REGISTRY_DIR:-/var/lib/quorvel/registry}"
seed="$app/Registry/HKEY_LOCAL_MACHINE.reg"
target="$dir/HKEY_LOCAL_MACHINE.reg"

[ -f "$target" ] && exit 0
if [ ! -f "$seed" ]; then
    echo "Registry: $seed is missing; HKEY_LOCAL_MACHINE stays empty." >&2
    exit 0
fi
if mkdir -p "$dir" 2>/dev/null && cp "$seed" "$target.new" 2>/dev/null && mv -f "$target.new" "$target" 2>/dev/null
then
    chmod 0644 "$target" 2>/dev/null || true
    echo "Registry: HKEY_LOCAL_MACHINE installed in $dir."
else
    rm -f "$target.new" 2>/dev/null || true
    echo "Registry: $dir cannot be written by $(id -un); the settings will be kept in the settings database."
fi
exit 0
