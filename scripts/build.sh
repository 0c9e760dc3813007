#!/usr/bin/env bash
# Installs what the build needs, configures, and builds the targets given, or
# everything when none is given: both programs, the seeded program folder
# (build/app), the tests and benchmarks.
# Usage: scripts/build.sh [target...]   (quorvel_app: the program alone)
# QUORVEL_WERROR=ON turns warnings into errors (CI sets it).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${QUORVEL_BUILD_DIR:-$here/build}"

"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE="${QUORVEL_BUILD_TYPE:-RelWithDebInfo}" \
    -DQUORVEL_WERROR="${QUORVEL_WERROR:-OFF}" >/dev/null
targets=()
for t in "$@"; do
    targets+=(--target "$t")
done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
