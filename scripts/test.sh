#!/usr/bin/env bash
# Builds everything, then runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${QUORVEL_BUILD_DIR:-$here/build}"

"$here/scripts/build.sh"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 600
