#!/bin/sh
# Runs the tests of the Windows build in $1 under Wine: its Wine folder is made on the first run
# (about ten seconds), and one Wine server stays up for the whole run, so that each program
# starts in a fraction of a second.
set -e
build=$(cd "$1" && pwd)
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
wine=$(command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
[ -d "$WINEPREFIX" ] || "$wine" wineboot --init >/dev/null 2>&1
# A server started by another Wine program goes first: only one may run per Wine folder.
"$wineserver" --wait
"$wineserver" --persistent
# Wine's own services start with the first program and outlive it: started here, they do not
# hold the output of a test open, which ctest would wait for.
"$wine" wineboot >/dev/null 2>&1 </dev/null
trap '"$wineserver" --kill' EXIT
ctest --test-dir "$build" --output-on-failure -j2
