#!/usr/bin/env bash
# Takes the user manual's pictures again from the program's own windows
# (offscreen, on a copy of the program folder laid out where a user has it,
# /home/ion/quorvel/build/run, in a mount namespace of the capture alone; it
# fails rather than show a temporary folder where the system allows no such
# namespace), puts them in
# install/files/Manual/ and rebuilds the program folder's manual
# (System/Help/Manual.Html, its pictures and Manual.Pdf). Run it after a
# change of the windows, the seeded data or the tariff, then look at
# `git status` and commit the pictures that changed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${QUORVEL_BUILD_DIR:-$here/build}"
pictures="$here/install/files/Manual"

"$here/scripts/build.sh" quorvel_capturi_manual install_tree
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/quorvel_capturi_manual" --cale-utilizator "$work" "$here/install/files/Manual.Html"
mkdir -p "$pictures"
rm -f "$pictures"/*.png
cp "$work"/*.png "$pictures"/
"$here/scripts/build.sh" install_tree
echo "Pictures: $pictures; manual: $build/app/System/Help/Manual.Pdf"
