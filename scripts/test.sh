#!/usr/bin/env bash
# Builds everything (the program, the tests and the benchmarks), runs every
# test, and ends with the tests that were skipped and why.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${QUORVEL_BUILD_DIR:-$here/build}"

"$here/scripts/build.sh"
status=0
summary="$build/Testing/Temporary/LastSummary.log"
mkdir -p "$(dirname "$summary")"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 600 | tee "$summary" || status=$?

# Two kinds of skip. A whole test that CTest did not run is named in its
# summary ("The following tests did not run:", e.g. "89 - shell_atspi_drum
# (Skipped)" for a test that exits with its SKIP_RETURN_CODE), and gives its
# reason on a "SKIP: reason" line of its output. Qt Test reports a skipped
# case of a test that ran on a "SKIP   : Class::case() reason" line. CTest
# keeps every test's output in its log of the run.
log="$build/Testing/Temporary/LastTest.log"
if [ -f "$log" ]; then
    skipped=$(awk '
        FNR == NR {
            if (/^The following tests did not run:/) { list = 1; next }
            if (list && /^[ \t]+[0-9]+ - /) {
                line = $0
                sub(/^[ \t]+[0-9]+ - /, "", line)
                name = line; sub(/ \([^()]*\)$/, "", name)
                kind = line; sub(/^.* \(/, "", kind); sub(/\)$/, "", kind)
                notRun[++n] = name; kindOf[name] = kind
                next
            }
            list = 0
            next
        }
        /^[0-9]+\/[0-9]+ Test: / { test = $3 }
        /^SKIP   : / { s = $0; sub(/^SKIP   : /, "", s); cases[++m] = "  " test ": " s }
        /^SKIP: / {
            s = $0; sub(/^SKIP: /, "", s)
            if (test in why) why[test] = why[test] "; " s
            else why[test] = s
        }
        END {
            for (i = 1; i <= n; i++) {
                t = notRun[i]
                print "  " t " (the whole test, " tolower(kindOf[t]) "): " ((t in why) ? why[t] : "no reason given")
            }
            for (j = 1; j <= m; j++)
                print cases[j]
        }' "$summary" "$log")
    if [ -n "$skipped" ]; then
        echo
        echo "Skipped ($(printf '%s\n' "$skipped" | wc -l)):"
        printf '%s\n' "$skipped"
    else
        echo "No test case was skipped."
    fi
fi
exit "$status"
