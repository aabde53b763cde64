#!/bin/bash
# What the background check costs after a one-record edit, for standards drawings of N layers
# (N/10 text and dimension styles, N/40 line styles) and drawings of E entities: generates a
# drawing and its standards drawing for each pair, runs kv_background_bench on it and prints one
# row per pair: the sizes, the line scan of the drawing (the baseline), the first check (which
# reads the standards drawing) and the medians of the checks after a conforming and after a
# violating edit, in milliseconds and as multiples of the line scan.
#
#   bench/background_check.sh [BUILD_DIR [EDITS]]     (N: 2000 20000; E: 4000 100000)
set -euo pipefail

build=${1:-$(dirname "$0")/../build}
edits=${2:-20}
source "$(dirname "$0")/bench_tools.sh"
require_tools "$build" kv_gen_standards kv_background_bench
make_work_folder kv-background

printf '%7s %7s %7s %9s  %20s  %20s  %20s\n' N E "dwg MB" "scan ms" "first check ms (x)" \
    "conforming ms (x)" "violating ms (x)"
for entities in 4000 100000; do
    for n in 2000 20000; do
        drawing=$work/drawing.dxf
        standards=$work/standards.dxf
        "$build/bin/kv_gen_standards" "$drawing" "$standards" --layers "$n" \
            --entities "$entities" >/dev/null || {
            echo "background_check.sh: kv_gen_standards failed for N = $n, E = $entities" >&2
            exit 1
        }
        measured=$("$build/bin/kv_background_bench" "$drawing" "$standards" --edits "$edits" \
            --tsv) || {
            echo "background_check.sh: kv_background_bench failed for N = $n" >&2
            exit 1
        }
        bytes=$(stat -c %s "$drawing")
        awk -F'\t' -v n="$n" -v e="$entities" -v bytes="$bytes" '
            NR == 1 { scan = $2 }
            $1 ~ /^first check/ { first = sprintf("%.1f (%.1f)", $2 * 1e3, $2 / scan) }
            $1 ~ /conforming edit/ { conforming = sprintf("%.3f (%.4f)", $2 * 1e3, $2 / scan) }
            $1 ~ /violating edit/ { violating = sprintf("%.3f (%.4f)", $2 * 1e3, $2 / scan) }
            END {
                printf "%7d %7d %7.1f %9.2f  %20s  %20s  %20s\n", n, e, bytes / 1e6, scan * 1e3,
                       first, conforming, violating
            }' <<<"$measured"
        rm -f "$drawing" "$standards"
    done
done
