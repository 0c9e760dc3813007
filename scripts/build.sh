#!/usr/bin/env bash
# Installs what the build needs, configures and builds everything: both
# programs, the seeded program folder (build/app), the tests and benchmarks.
# QUORVEL_WERROR=ON turns warnings into errors (CI sets it).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${QUORVEL_BUILD_DIR:-$here/build}"

"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE="${QUORVEL_BUILD_TYPE:-RelWithDebInfo}" \
    -DQUORVEL_WERROR="${QUORVEL_WERROR:-OFF}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
