#!/usr/bin/env bash
# Builds the program (both executables and the program folder, not the tests)
# and starts Quorvel on its seeded data. Without a display it starts under a
# virtual one (Xvfb) and says so.
#
# The build lays the seeded program folder out in build/app, which the tests
# copy and never change. The program runs from build/run: a copy of build/app
# made on the first start, so the user's companies, declarations and settings
# stay there across rebuilds; the executables and the help documents are
# refreshed at every start.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${QUORVEL_BUILD_DIR:-$here/build}"
seed="$build/app"
app="$build/run"

if [ ! -x "$seed/Quorvel" ]; then
    # About six and a half minutes of one core (as measured on 8 cores of
    # an idle AMD EPYC), spread over the cores, plus some twenty seconds that do
    # not spread; the build runs one job a core, and the work already
    # running (the load average) takes its share of the cores.
    cores=$(nproc)
    load=$(cut -d' ' -f1 /proc/loadavg 2>/dev/null || echo 0)
    seconds=$(awk -v c="$cores" -v l="$load" 'BEGIN { printf "%d", 400 * (c + l) / (c * c) + 20 }')
    minutes=$(( (seconds + 30) / 60 ))
    if [ "$seconds" -lt 90 ]; then about="about a minute"; else about="about $minutes minutes"; fi
    busy=
    if awk -v l="$load" 'BEGIN { exit !(l >= 1) }'; then busy=", busy with other work (load $load)"; fi
    echo "First start: building the program takes $about on this machine's $cores cores$busy"
    echo "(after the Debian packages, when they are missing); later starts take seconds."
    echo "The tests are built by scripts/test.sh."
    "$here/scripts/build.sh" quorvel_app
else
    # A start with nothing to build says nothing: ninja's glob check and its
    # "no work to do" are left out, a rebuild after a change shows its steps.
    "$here/scripts/build.sh" quorvel_app |
        { grep -v -e '^\[[0-9/]*\] Re-checking globbed directories' -e '^ninja: no work to do' || true; }
fi
first=
if [ ! -d "$app" ]; then
    cp -a "$seed" "$app.new"
    mv "$app.new" "$app"
    echo "Program folder: $app (seeded from $seed)."
    first=first
fi
for file in Quorvel Update_Quorvel System/Help System/HS/Explicativ.Html System/HS/Explicativ.Pdf; do
    [ -e "$seed/$file" ] && cp -rf "$seed/$file" "$(dirname "$app/$file")/"
done
"$here/scripts/install-registry.sh" "$app" $first
export QUORVEL_PROGRAM_DIR="$app"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$app/Quorvel"
fi
echo "No display found: starting Quorvel under a virtual display (Xvfb), where nobody can see it."
echo "To use the program, start scripts/run.sh from a desktop session (or over ssh -X). Ctrl+C stops it."
# The display's key file in a folder of this script's, removed however the
# program ends: xvfb-run removes its own folder only when it ends normally,
# never on Ctrl+C.
xauth_dir=$(mktemp -d)
trap 'rm -rf "$xauth_dir"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
# The program knows that nobody sees this display: a second start says in
# the terminal that Quorvel runs already, and ends at once.
QUORVEL_VIRTUAL_DISPLAY=1 xvfb-run -a -f "$xauth_dir/Xauthority" "$app/Quorvel"
