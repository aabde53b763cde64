#!/bin/bash
# How the standards check grows with the size of the drawing: generates a drawing and its
# standards drawing for each N (N layers, N/10 text and dimension styles, N/40 line styles),
# checks it with kv_check_bench and prints one row per N: the drawing's size, the read times,
# the plug-ins' set-up time (the host hands them the standards drawing it read), each plug-in's
# check time, the violations found against those planted, and the process's peak memory.
#
#   bench/check_scaling.sh [BUILD_DIR [N...]]     (default: build, 2000 5000 10000 20000)
set -euo pipefail

build=${1:-$(dirname "$0")/../build}
shift || true
sizes=("$@")
if [ ${#sizes[@]} -eq 0 ]; then
    sizes=(2000 5000 10000 20000)
fi
source "$(dirname "$0")/bench_tools.sh"
require_tools "$build" kv_gen_standards kv_check_bench
make_work_folder kv-check-scaling

first=1
for n in "${sizes[@]}"; do
    drawing=$work/drawing-$n.dxf
    standards=$work/standards-$n.dxf
    planted=$("$build/bin/kv_gen_standards" "$drawing" "$standards" --layers "$n" --tsv) || {
        echo "check_scaling.sh: kv_gen_standards failed for N = $n (exit status $?)" >&2
        exit 1
    }
    checked=$("$build/bin/kv_check_bench" "$drawing" "$standards" --tsv) || {
        echo "check_scaling.sh: kv_check_bench failed for N = $n (exit status $?)" >&2
        exit 1
    }
    bytes=$(stat -c %s "$drawing")
    # Columns: the fixed ones, then one per plug-in in the order the module lists them.
    lines=$(awk -F'\t' -v n="$n" -v bytes="$bytes" '
        FNR == NR { planted += $4 + $5; next }
        $1 == "read drawing" { drawing = $3 }
        $1 == "read standards" { standards += $3 }
        $1 == "setup" { setup += $3 }
        $1 == "check" {
            width = length($2) < 8 ? 8 : length($2)
            header = header sprintf("  %" width "s", $2)
            row = row sprintf("  %" width ".3f", $3)
            found += $7
        }
        { peak = $5 }
        END {
            printf "%7s %8s %9s %9s %9s%s  %15s %9s\n", "N", "dwg MB", "read dwg", "read std",
                   "setup", header, "found/planted", "peak MiB"
            printf "%7d %8.1f %9.3f %9.3f %9.3f%s  %15s %9.1f\n", n, bytes / 1e6, drawing,
                   standards, setup, row, found "/" planted, peak
        }' <(printf '%s\n' "$planted") <(printf '%s\n' "$checked"))
    if [ $first -eq 1 ]; then
        echo "seconds per phase; setup = all plug-ins' SetupForAudit; one column per plug-in's check"
        printf '%s\n' "$lines" | head -n 1
        first=0
    fi
    printf '%s\n' "$lines" | tail -n 1
    rm -f "$drawing" "$standards"
done
