#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Quorvel
# need. Does nothing when they are all present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev qt6-l10n-tools
    libsqlite3-dev libxlsxwriter-dev libzip-dev
    libbenchmark-dev
    iso-codes xdg-utils
    poppler-utils
    xvfb xauth
    at-spi2-core python3-pyatspi dbus-daemon
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
