#!/bin/sh
# Start-up to the first shown (and painted) main window and peak resident memory of the
# program, beside an empty Qt Widgets window, run alternately in one run: medians of RUNS.
# On an X server (a private Xvfb when none is given and xvfb-run is there), as a desktop
# starts it, then on the offscreen platform, which draws into memory.
# Usage: bench/startup/measure.sh BUILD_FOLDER [RUNS]
set -eu
build=$1
runs=${2:-40}
export USER=startup-measure # a single-instance key of its own
compare() {
    "$build/compare-startup" "$runs" "$build/empty-qt-window" "$build/sg-startup-probe"
}
if [ -n "${DISPLAY:-}" ]; then
    echo "X server $DISPLAY (xcb), the platform of a desktop:"
    QT_QPA_PLATFORM=xcb compare
elif command -v xvfb-run >/dev/null; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$runs" --xcb-only
fi
[ "${3:-}" = --xcb-only ] && exit 0
echo "offscreen (drawn into memory):"
QT_QPA_PLATFORM=offscreen compare
