#!/bin/sh
# Start-up to the first shown main window and resident memory of the program, beside an empty
# Qt Widgets window, run alternately in one run: mean wall time and mean peak resident memory.
# Usage: bench/startup/measure.sh BUILD_FOLDER [RUNS]
set -eu
build=$1
runs=${2:-20}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export USER=startup-measure # a single-instance key of its own
results=$(mktemp)
trap 'rm -f "$results"' EXIT
i=0
while [ "$i" -lt "$runs" ]; do
    for program in empty-qt-window sg-startup-probe; do
        /usr/bin/time -f "$program %e %M" "$build/$program" 2>>"$results" >/dev/null
    done
    i=$((i + 1))
done
awk '
    { time[$1] += $2; memory[$1] += $3; n[$1]++ }
    END {
        e = "empty-qt-window"; p = "sg-startup-probe"
        printf "empty Qt window : %.1f ms, %.1f MB\n", 1000 * time[e] / n[e], memory[e] / n[e] / 1024
        printf "Simple Gagnant  : %.1f ms, %.1f MB\n", 1000 * time[p] / n[p], memory[p] / n[p] / 1024
        printf "ratio           : %.2f times the time, %.2f times the memory\n",
               time[p] / time[e], memory[p] / memory[e]
    }' "$results"
