#!/usr/bin/env bash
# Puts the HKEY_LOCAL_MACHINE registry file of a program folder in place the
# first time: into QUORVEL_REGISTRY_DIR when set, else the machine-wide
# /var/lib/quorvel/registry. An existing file is never replaced.
#
# The folder and the file belong to the user who installs, who must be able
# to write them: the program records its folders there (AppPath, DataBase),
# and Update_Quorvel finds the installation by them. A user who may not make
# the folder gets it through sudo, as the package step does. When that is
# refused too, the program still starts: it then finds HKEY_LOCAL_MACHINE not
# writable and keeps its settings in the settings database
# (System/Registry/reg.mdb), where Update_Quorvel does not look.
# Usage: scripts/install-registry.sh <program folder>
set -uo pipefail
app="${1:?usage: $0 <program folder>}"
dir="${QUORVEL_REGISTRY_DIR:-/var/lib/quorvel/registry}"
seed="$app/Registry/HKEY_LOCAL_MACHINE.reg"
target="$dir/HKEY_LOCAL_MACHINE.reg"
user=$(id -un)

[ -f "$target" ] && exit 0
if [ ! -f "$seed" ]; then
    echo "Registry: $seed is missing; HKEY_LOCAL_MACHINE stays empty." >&2
    exit 0
fi

# The folder, writable by this user: made by the user, else through sudo.
if ! { mkdir -p "$dir" 2>/dev/null && [ -w "$dir" ]; }; then
    if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null; then
        echo "Registry: making $dir for $user through sudo."
        sudo install -d -m 0755 -o "$(id -u)" -g "$(id -g)" "$dir" || true
    fi
fi
if [ -w "$dir" ] && cp "$seed" "$target.new" 2>/dev/null && mv -f "$target.new" "$target" 2>/dev/null; then
    chmod 0644 "$target" 2>/dev/null || true
    echo "Registry: HKEY_LOCAL_MACHINE installed in $dir."
else
    rm -f "$target.new" 2>/dev/null || true
    echo "Registry: $dir cannot be written by $user (without sudo, or sudo refused)."
    echo "  Quorvel keeps its settings in its settings database (System/Registry/reg.mdb) instead,"
    echo "  and Update_Quorvel will not find this installation."
fi
exit 0
