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
#
# The file is one for the whole machine: on a machine several users share,
# the first one to start the program installs it. With "first" (the first
# start of a program folder) a user who finds another user's file is told
# what that means for them and how to have a file of their own.
# Usage: scripts/install-registry.sh <program folder> [first]
set -uo pipefail
app="${1:?usage: $0 <program folder> [first]}"
dir="${QUORVEL_REGISTRY_DIR:-/var/lib/quorvel/registry}"
seed="$app/Registry/HKEY_LOCAL_MACHINE.reg"
target="$dir/HKEY_LOCAL_MACHINE.reg"
user=$(id -un)

if [ -f "$target" ]; then
    owner=$(stat -c %U "$target" 2>/dev/null || echo "?")
    if [ "${2:-}" = first ] && [ "$owner" != "$user" ]; then
        # The program folder the file records (Quorvel writes it at every start).
        recorded=$(awk 'BEGIN { key = tolower("[HKEY_LOCAL_MACHINE\\SOFTWARE\\VELMORANT\\Quorvel]") }
            /^\[/ { here = (tolower($0) == key) }
            here && tolower($0) ~ /^"apppath"="/ { sub(/^"[^"]*"="/, ""); sub(/"$/, ""); print; exit }' "$target")
        echo "Registry: $target, the machine's one, belongs to $owner."
        if [ -w "$target" ]; then
            echo "  Quorvel records $user's program folder in it at every start, and Update_Quorvel"
            echo "  of every user then installs into that folder."
        else
            echo "  $user cannot write it: Quorvel keeps $user's settings in its settings database"
            echo "  (System/Registry/reg.mdb), and $user's Update_Quorvel offers $owner's folder${recorded:+ ($recorded)}."
        fi
        echo "  For a registry of your own, set QUORVEL_REGISTRY_DIR=\$HOME/.config/quorvel/registry for"
        echo "  scripts/run.sh and Update_Quorvel alike (see README.md)."
    fi
    exit 0
fi
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
