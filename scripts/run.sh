#!/usr/bin/env bash
# Builds the program folder and starts Quorvel on its seeded data. Without a
# display it starts under a virtual one (Xvfb) and says so.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${QUORVEL_BUILD_DIR:-$here/build}"

"$here/scripts/build.sh"
app="$build/app"
"$here/scripts/install-registry.sh" "$app"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$app/Quorvel"
fi
echo "No display found: starting Quorvel under a virtual display (Xvfb)."
exec xvfb-run -a "$app/Quorvel"
