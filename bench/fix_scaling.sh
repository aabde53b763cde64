#!/bin/bash
# How fixing every violation grows with the entities of a drawing: generates a drawing of N
# layers (default 20000; N/10 text and dimension styles, N/40 line styles) and its standards
# drawing for each entity count E, fixes every violation with kv_fix_bench and prints one row per
# E: the drawing's size, the time to read it (the baseline), the plug-ins' checks and fixes (the
# FixError calls alone, by kv_check_bench --fix), the fixes as a multiple of the reading, the
# fixes applied, the peak memory.
#
#   bench/fix_scaling.sh [BUILD_DIR [E...]]     (default: build, 25000 50000 100000 200000)
#   LAYERS=N bench/fix_scaling.sh ...
set -euo pipefail

build=${1:-$(dirname "$0")/../build}
shift || true
counts=("$@")
if [ ${#counts[@]} -eq 0 ]; then
    counts=(25000 50000 100000 200000)
fi
layers=${LAYERS:-20000}
for tool in kv_gen_standards kv_check_bench; do
    if [ ! -x "$build/bin/$tool" ]; then
        echo "fix_scaling.sh: $build/bin/$tool not found; build first" >&2
        exit 2
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/kv-fix-scaling.XXXXXX")
trap 'rm -rf "$work"' EXIT

printf '%8s %7s %8s %9s %9s %9s %9s %8s %9s\n' "entities" "layers" "dwg MB" "read s" "check s" \
    "fix s" "fix/read" "fixed" "peak MiB"
for e in "${counts[@]}"; do
    drawing=$work/drawing-$e.dxf
    standards=$work/standards-$e.dxf
    "$build/bin/kv_gen_standards" "$drawing" "$standards" --layers "$layers" --entities "$e" \
        --tsv >/dev/null || {
        echo "fix_scaling.sh: kv_gen_standards failed for $e entities" >&2
        exit 1
    }
    measured=$("$build/bin/kv_check_bench" "$drawing" "$standards" --fix --tsv) || {
        echo "fix_scaling.sh: kv_check_bench failed for $e entities" >&2
        exit 1
    }
    bytes=$(stat -c %s "$drawing")
    printf '%s\n' "$measured" | awk -F'\t' -v e="$e" -v n="$layers" -v bytes="$bytes" '
        $1 == "read drawing" { read = $3 }
        $1 == "check" { check += $3 }
        $1 == "fix" { fix += $3; fixed += $6 }
        { peak = $5 }
        END {
            printf "%8d %7d %8.1f %9.3f %9.3f %9.3f %9.2f %8d %9.1f\n", e, n, bytes / 1e6, read,
                   check, fix, fix / read, fixed, peak
        }'
    rm -f "$drawing" "$standards"
done
