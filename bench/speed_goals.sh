#!/bin/bash
# How kvcad's commands compare with a bare line scan of the drawing they read: generates a drawing
# of E entities and a standards drawing of 1,000 layers for each E, then measures with
# kv_dxf_bench, in one run per drawing: the line scan, the read into a database whole (as the
# desktop and kvcad fix read) and in parts (as kvcad check, info and convert read: the entities
# stay in the file), and kvcad info, check (against the standards drawing) and convert as whole
# processes,
# each the best of three, with their peak memory. Prints one table per drawing, each figure as a
# multiple of the line scan (and the peak as a multiple of the file) beside the goal for it.
#
#   bench/speed_goals.sh [BUILD_DIR [E...]]     (default: build, 100000 1000000: 40 and 400 MB)
set -euo pipefail

build=${1:-$(dirname "$0")/../build}
shift || true
sizes=("$@")
if [ ${#sizes[@]} -eq 0 ]; then
    sizes=(100000 1000000)
fi
source "$(dirname "$0")/bench_tools.sh"
require_tools "$build" kv_gen_standards kv_dxf_bench kvcad
make_work_folder kv-speed-goals

bench=$build/bin/kv_dxf_bench
kvcad=$build/bin/kvcad
for n in "${sizes[@]}"; do
    drawing=$work/drawing-$n.dxf
    standards=$work/standards-$n.dxf
    "$build/bin/kv_gen_standards" "$drawing" "$standards" --layers 1000 --entities "$n" \
        > /dev/null || {
        echo "speed_goals.sh: kv_gen_standards failed for E = $n (exit status $?)" >&2
        exit 1
    }
    # Written back to the disk before anything is timed: a read racing the writeback of a file
    # just written measured up to four times slower.
    sync
    {
        "$bench" "$drawing" --tsv | sed -n '1p;2p'
        "$bench" "$drawing" --tsv --in-parts | sed -n '2p'
        "$bench" "$drawing" 3 --tsv -- "$kvcad" info "$drawing" | tail -n 1
        "$bench" "$drawing" 3 --tsv -- "$kvcad" check "$drawing" --standards "$standards" |
            tail -n 1
        "$bench" "$drawing" 3 --tsv -- "$kvcad" convert "$drawing" "$work/out.dxf" | tail -n 1
    } > "$work/figures.tsv" || {
        echo "speed_goals.sh: kv_dxf_bench failed for E = $n" >&2
        exit 1
    }
    awk -F'\t' -v n="$n" -v bytes="$(stat -c %s "$drawing")" '
        BEGIN {
            goal["read"] = 3; goal["read in parts"] = 3; goal["kvcad info"] = 3; goal["kvcad check"] = 2
            goal["kvcad convert"] = 5; peakGoal["kvcad check"] = 1.5; peakGoal["kvcad convert"] = 3
        }
        $1 == "line scan" {
            printf "%d entities, %.1f MB, line scan %.3f s\n", n, bytes / 1e6, $2
            printf "  %-16s %9s %9s %6s %13s %6s\n", "", "seconds", "x scan", "goal", "peak x file",
                   "goal"
            next
        }
        {
            peak = NF >= 5 ? sprintf("%.2f", $5) : ""
            printf "  %-16s %9.3f %9.2f %6s %13s %6s\n", $1, $2, $3, goal[$1], peak, peakGoal[$1]
        }' "$work/figures.tsv"
    rm -f "$drawing" "$standards" "$work/out.dxf"
done
