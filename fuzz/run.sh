#!/usr/bin/env bash
# Builds the fuzz targets of the workbook reader with clang and runs each for
# the given number of seconds (default 600), all at once, from the seeds of
# fuzz/corpus/<target without "fuzz_"> and the workbooks of tests/fixtures.
# Findings go to <build>/artifacts/<target>/; a finding becomes a test of
# tests/platform/excel before it is fixed.
#   fuzz/run.sh [seconds] [target...]     targets: fuzz_xlsx fuzz_xlsx_sheet fuzz_xls
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="${QUORVEL_FUZZ_BUILD_DIR:-$here/build-fuzz}"
seconds="${1:-600}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_xlsx fuzz_xlsx_sheet fuzz_xls)

if ! command -v clang++-14 >/dev/null || [ ! -e /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a ]; then
    echo "Installing clang-14 and libclang-rt-14-dev"
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev
fi

CC=clang-14 CXX=clang++-14 cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_FUZZ=ON -DQUORVEL_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

pids=()
for t in "${targets[@]}"; do
    corpus="$build/corpus/$t"
    artifacts="$build/artifacts/$t/"
    mkdir -p "$corpus" "$artifacts"
    cp -n "$here/fuzz/corpus/${t#fuzz_}"/* "$corpus"/ 2>/dev/null || true
    case "$t" in
        fuzz_xlsx) cp -n "$here"/tests/fixtures/hostile/{sparse_last_row,control_chars_in_text}.xlsx "$corpus"/ ;;
        fuzz_xls) cp -n "$here"/tests/fixtures/{reader,preluare}.xls "$here"/tests/fixtures/hostile/*.xls "$corpus"/ ;;
    esac
    # Memory and time per input are capped: an input that needs more is a
    # finding (the reader's own limits keep far below 2 GB).
    "$build/bin/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=20 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus" >"$build/$t.log" 2>&1 &
    pids+=($!)
done
status=0
for i in "${!pids[@]}"; do
    t="${targets[$i]}"
    if wait "${pids[$i]}"; then
        echo "$t: no finding"
    else
        echo "$t: FINDING, see $build/$t.log and $build/artifacts/$t/"
        status=1
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$t.log" | sed "s/^/  $t /" || true
done
exit $status
