#!/bin/sh
# The import from a folder of a year of races (about 15,000), on one processor: its time
# beside a cat of the same documents, the writes into the race file, and the peak memory for
# a month and for the year.
# Usage: bench/import/measure.sh BUILD_FOLDER
set -eu
build=$1
data=$build/pmu-year
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -f "$data/31122023.json" ] || "$build/sg-generate-pmu-days" "$data" 01/01/2023 365
bytes=$(find "$data" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
echo "Documents: $(find "$data" -type f | wc -l) files, $bytes bytes ($(du -sh "$data" | cut -f1) on disk)"
find "$data" -type f -print0 | xargs -0 cat >/dev/null # into the system's cache first
start=$(date +%s.%N)
find "$data" -type f -print0 | xargs -0 cat >/dev/null
echo "cat of every document: $(awk "BEGIN { printf \"%.2f\", $(date +%s.%N) - $start }") s"
import() { # FILE LAST_DAY
    taskset -c 0 /usr/bin/time -f "%e s (processor %U s, system %S s), peak memory %M KB" \
        "$build/sg-race" importer "$work/$1" --du 01/01/2023 --au "$2" --source "$data" \
        >"$work/$1.out"
}
printf "import of a month: "
import month.tur 31/01/2023 2>&1
printf "import of the year: "
import year.tur 31/12/2023 2>&1
grep -E "^Courses ajoutées|^Documents" "$work/year.tur.out"
echo "race file: $(($(stat -c %s "$work/year.tur") / 17000)) races"
rm -f "$work/year.tur" "$work/year.tur.index.csv"
writes=$(strace -f -c -e trace=pwrite64 "$build/sg-race" importer "$work/year.tur" \
    --du 01/01/2023 --au 31/12/2023 --source "$data" 2>&1 >/dev/null |
    awk '/pwrite64/ { print $4 }')
echo "writes into the race file: $writes"
