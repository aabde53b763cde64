#!/usr/bin/env bash
# Builds everything once, with clang, AddressSanitizer, UndefinedBehaviorSanitizer and the
# coverage the fuzz targets need, runs every test through ctest, then gives the DXF reader and the
# whole path from bytes to fixed drawing a short fuzzing run each, from the same build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${KV_BUILD_DIR:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_SANITIZE=ON \
    -DKV_BUILD_FUZZ=ON -DKV_WERROR=ON
cmake --build "$build" -j2
# Leaks of the Qt and Python runtimes are not ours to report.
export ASAN_OPTIONS=detect_leaks=0
ctest --test-dir "$build" -j2 --output-on-failure

# The tag layer alone, then the whole path (database, writing, checks, fixes), half the time each.
for target in dxf_reader_fuzz dxf_database_fuzz; do
    corpus=$(mktemp -d)
    cp fuzz/corpus/* "$corpus"/
    log=$(mktemp)
    if ! "$build"/bin/$target -max_total_time="${KV_FUZZ_SECONDS:-30}" -print_final_stats=0 \
        "$corpus" > "$log" 2>&1; then
        # The whole report: what failed, where, and the input it was written to.
        grep -v '^INFO:' "$log"
        rm -rf "$corpus" "$log"
        echo "fuzz $target: FAILED" >&2
        exit 1
    fi
    tail -n 2 "$log"
    rm -rf "$corpus" "$log"
    echo "fuzz $target: no crash"
done
