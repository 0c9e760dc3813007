#!/usr/bin/env bash
# Builds the program folder and starts Quorvel on its seeded data. Without a
# display it starts under a virtual one (Xvfb) and says so.
#
# The build lays the seeded program folder out in build/app, which the tests
# copy and never change. The program runs from build/run: a copy of build/app
# made on the first start, so the user's companies, declarations and settings
# stay there across rebuilds; the executables are refreshed at every start.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${QUORVEL_BUILD_DIR:-$here/build}"

"$here/scripts/build.sh"
seed="$build/app"
app="$build/run"
if [ ! -d "$app" ]; then
    cp -a "$seed" "$app.new"
    mv "$app.new" "$app"
    echo "Program folder: $app (seeded from $seed)."
fi
for exe in Quorvel Update_Quorvel; do
    [ -f "$seed/$exe" ] && cp -f "$seed/$exe" "$app/$exe"
done
"$here/scripts/install-registry.sh" "$app"
export QUORVEL_PROGRAM_DIR="$app"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$app/Quorvel"
fi
echo "No display found: starting Quorvel under a virtual display (Xvfb)."
exec xvfb-run -a "$app/Quorvel"
