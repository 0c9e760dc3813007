#!/usr/bin/env bash
# Builds everything (the program, the tests and the benchmarks), runs every
# test, and ends with the tests that were skipped and why.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${QUORVEL_BUILD_DIR:-$here/build}"

"$here/scripts/build.sh"
status=0
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 600 || status=$?

# Qt Test reports a skipped case on a "SKIP   : Class::case() reason" line of
# the test program's output, which CTest keeps in its log of the run.
log="$build/Testing/Temporary/LastTest.log"
if [ -f "$log" ]; then
    skipped=$(awk '
        /^[0-9]+\/[0-9]+ Test: / { test = $3 }
        /^SKIP   : / { sub(/^SKIP   : /, ""); print "  " test ": " $0 }' "$log")
    if [ -n "$skipped" ]; then
        echo
        echo "Skipped ($(printf '%s\n' "$skipped" | wc -l)):"
        printf '%s\n' "$skipped"
    else
        echo "No test case was skipped."
    fi
fi
exit "$status"
