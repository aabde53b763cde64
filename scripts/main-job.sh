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
# The examples are made to violate their standards: exit 1 (violations found) is the expected
# outcome; 2 (a drawing or standards file that cannot be read) or worse fails the job.
for format in text json html; do
    status=0
    "$build"/bin/kvcad check examples/*.dxf --format "$format" --output "$out/report.$format" ||
        status=$?
    if [ "$status" -ge 2 ]; then
        echo "kvcad check --format $format failed with exit status $status" >&2
        exit "$status"
    fi
done
cat "$out/report.text"
echo "reports of the examples: $out/report.text, $out/report.json and $out/report.html"
# kvcad fix on a copy of the example drawing (with its standards file beside it, where its
# association finds it): the recommended fixes are applied in place, the violations without one
# are left (exit 1), and the fixed copy is checked again.
mkdir -p "$out/fix"
cp examples/office.dxf examples/office-standards.dws "$out/fix/"
status=0
"$build"/bin/kvcad fix "$out/fix/office.dxf" || status=$?
if [ "$status" -ge 2 ]; then
    echo "kvcad fix failed with exit status $status" >&2
    exit "$status"
fi
status=0
"$build"/bin/kvcad check "$out/fix/office.dxf" || status=$?
if [ "$status" -ge 2 ]; then
    echo "kvcad check of the fixed drawing failed with exit status $status" >&2
    exit "$status"
fi
echo "fixed copy: $out/fix/office.dxf"
