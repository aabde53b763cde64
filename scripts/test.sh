#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test
# through ctest, then gives the DXF reader and the whole path from bytes to fixed drawing a short
# fuzzing run each.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${KV_BUILD_DIR:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_SANITIZE=ON -DKV_WERROR=ON
cmake --build "$build" -j2
# Leaks of the Qt and Python runtimes are not ours to report.
export ASAN_OPTIONS=detect_leaks=0
ctest --test-dir "$build" -j2 --output-on-failure

fuzz=${KV_FUZZ_DIR:-build-fuzz}
CXX=clang++ cmake -S . -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_FUZZ=ON \
    -DKV_BUILD_TESTS=OFF
cmake --build "$fuzz" -j2 --target dxf_reader_fuzz dxf_database_fuzz
# The tag layer alone, then the whole path (database, writing, checks, fixes), half the time each.
for target in dxf_reader_fuzz dxf_database_fuzz; do
    corpus=$(mktemp -d)
    cp fuzz/corpus/* "$corpus"/
    "$fuzz"/bin/$target -max_total_time="${KV_FUZZ_SECONDS:-30}" -print_final_stats=0 "$corpus" \
        2>&1 | tail -n 3
    rm -rf "$corpus"
    echo "fuzz $target: no crash"
done
