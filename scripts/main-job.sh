#!/usr/bin/env bash
# Builds kvcad and runs it on the bundled example drawings.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${KV_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_TESTS=OFF
cmake --build "$build" -j2 --target kvcad
out=$(mktemp -d)
for drawing in examples/*.dxf; do
    "$build"/bin/kvcad info "$drawing"
    "$build"/bin/kvcad convert "$drawing" "$out/$(basename "$drawing")"
    echo "converted $drawing -> $out/$(basename "$drawing")"
done
