#!/bin/sh
# sg-race.exe under Wine beside the Linux sg-race: the same commands, each in a folder of its
# own, must give the same exit status, the same output (the Windows lines end in "\r\n") and the
# same files, byte for byte; the CSV exports only end their lines as a Windows spreadsheet
# expects. Names with accents beyond the Windows code page, drive letters and backslashes too.
#
# The imports read the PMU's documents of the test data from their folder, and from a local
# HTTP server that serves that folder (the Linux side through libcurl, Windows through WinHTTP).
#
# Usage: same-as-linux.sh LINUX_BUILD WINDOWS_TOOL WORK_FOLDER WINE_FOLDER WINE TEST_DATA
set -u
linux_tool=$1/sg-race server=$1/tests/sg-serve-folder
windows_tool=$2 work=$3 wine_folder=$4 wine=$5 data=$6
for program in "$linux_tool" "$server"; do
    [ -x "$program" ] || { echo "Il manque $program (make build)."; exit 1; }
done
export WINEPREFIX="$wine_folder" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine names the Linux files in the locale's character set: UTF-8, as the Linux side does.
export LC_ALL=C.UTF-8

rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"
failures=0

fail() {
    printf 'ÉCHEC : %s\n' "$*"
    failures=$((failures + 1))
}

# Compares the last run of both sides; $1 names the case.
compare_run() {
    name=$1
    [ "$linux_status" = "$windows_status" ] ||
        fail "$name : code de sortie $linux_status sous Linux, $windows_status sous Windows"
    for stream in out err; do
        windows="$work/$stream.windows"
        # Every line the Windows side writes ends in "\r\n".
        if [ -s "$windows" ] && tr -d '\r' <"$windows" | cmp -s - "$windows"; then
            fail "$name : la sortie $stream de Windows n'a pas de fins de ligne \\r\\n"
        fi
        tr -d '\r' <"$windows" >"$windows.lf"
        cmp -s "$work/$stream.linux" "$windows.lf" || {
            fail "$name : la sortie $stream diffère"
            diff "$work/$stream.linux" "$windows.lf" | head -10
        }
    done
}

run() { # LINUX_ARGUMENTS [WINDOWS_ARGUMENTS], both in sh quoting
    linux_words=$1 windows_words=${2:-$1}
    eval "set -- $linux_words"
    (cd "$work/linux" && "$linux_tool" "$@" </dev/null >../out.linux 2>../err.linux)
    linux_status=$?
    eval "set -- $windows_words"
    (cd "$work/windows" && "$wine" "$windows_tool" "$@" </dev/null >../out.windows \
        2>../err.windows)
    windows_status=$?
    compare_run "$windows_words"
}

# Paths of Windows on the Windows side: a drive letter (C: is the Wine folder's drive_c, Z:
# the Linux root), backslashes, a folder below the current one.
drive_c="$wine_folder/drive_c/sg-test-turf"
rm -rf "$drive_c"
mkdir -p "$drive_c" "$work/linux/turf" "$work/linux/sous/dossier" "$work/windows/sous/dossier"
documents="$data/pmu/service"
windows_documents="Z:$(printf '%s' "$documents" | tr / '\\')"

# The documents served on the loopback address for as long as the comparison may take.
"$server" "$documents" 600 >"$work/server.out" &
server_pid=$!
trap 'kill "$server_pid" 2>/dev/null' EXIT
for _ in 1 2 3 4 5 6 7 8 9 10; do
    [ -s "$work/server.out" ] && break
    sleep 0.2
done
service=$(head -n 1 "$work/server.out")

# The same commands on both sides, in sh quoting; after " | ", the Windows side's own.
while IFS= read -r line; do
    case "$line" in '' | '#'*) continue ;; esac
    case "$line" in
    *' | '*) run "${line%% | *}" "${line#* | }" ;;
    *) run "$line" ;;
    esac
done <<'EOF'
demo demo.tur
demo long.tur 300
# A file that exists is never replaced.
demo demo.tur 5
count demo.tur
count long.tur
show long.tur 12
show long.tur 299
show long.tur 40000
set demo.tur 3 Payouts 0 ' 4.5 '
set demo.tur 5 OddsPMH 2 9/2
set demo.tur 2 ArrivalOrder 1 7
set demo.tur 44 RunnerCount 8
set demo.tur 1 OddsPMU 23 4
set absent.tur 1 RunnerCount 8
show demo.tur 3
bilan long.tur
bilan long.tur --chevaux 3 --cotes PMU --arrondi dizaine --csv bilan.csv
bilan long.tur --de 10 --a 60 --separateur . --rapports --csv bilan-point.csv
bilan demo.tur --csv x.tur
bilan long.tur --chevaux 12
analyse --cotes 2 3,5 9/2 12 --chevaux 3 --masse 10000
demo 'Été à Łódź – R1C2.tur' 12
count 'Été à Łódź – R1C2.tur'
set 'Été à Łódź – R1C2.tur' 2 RunnerCount 9
bilan 'Été à Łódź – R1C2.tur' --csv 'Bilan é–Ł.csv'
demo sous/dossier/a.tur 20 | demo 'sous\dossier\a.tur' 20
set sous/dossier/a.tur 4 Payouts 1 12.5 | set 'sous\dossier\a.tur' 4 Payouts 1 12.5
demo turf/courses.tur 30 | demo 'C:\sg-test-turf\courses.tur' 30
set turf/courses.tur 2 OddsPMH 7 3/1 | set 'C:/sg-test-turf/courses.tur' 2 OddsPMH 7 3/1
count turf/courses.tur | count 'c:\SG-TEST-TURF\COURSES.TUR'
comparer long.tur
comparer long.tur --chevaux 2/3/4 --arrondi tous --apprentissage 50 --csv comparaison.csv
comparer long.tur --partants 8-14 --cote-favori 2-6 --separateur . --csv comparaison-point.csv
comparer long.tur --csv long.tur
importer dossier.tur --du 05/03/2024 --au 06/03/2024 --source "$documents" | importer dossier.tur --du 05/03/2024 --au 06/03/2024 --source "$windows_documents"
importer dossier.tur --du 05/03/2024 --au 06/03/2024 --source "$documents" | importer dossier.tur --du 05/03/2024 --au 06/03/2024 --source "$windows_documents"
bilan dossier.tur --csv bilan-importé.csv
importer réseau.tur --du 05/03/2024 --au 06/03/2024 --source "$service" --pause 0
importer réseau.tur --du 07/03/2024 --source "$service" --pause 0
importer réseau.tur --du 05/03/2024 --source ftp://ailleurs/x
importer réseau.tur --du 05/03/2024 --source absent
EOF

cmp -s "$work/linux/turf/courses.tur" "$drive_c/courses.tur" ||
    fail 'C:\sg-test-turf\courses.tur diffère du fichier Linux'
rm -r "$work/linux/turf"

# Every file of one side is on the other, the same bytes; CSV lines end in "\r\n" on Windows.
(cd "$work/linux" && find . -type f | sort) >"$work/files.linux"
(cd "$work/windows" && find . -type f | sort) >"$work/files.windows"
cmp -s "$work/files.linux" "$work/files.windows" || {
    fail "les deux dossiers n'ont pas les mêmes fichiers"
    diff "$work/files.linux" "$work/files.windows"
}
while IFS= read -r file; do
    linux="$work/linux/$file" windows="$work/windows/$file"
    [ -f "$windows" ] || continue
    case "$file" in
    *.index.csv) cmp -s "$linux" "$windows" || fail "$file diffère" ;; # the importer's own
    *.csv)
        tr -d '\r' <"$windows" | cmp -s "$linux" - || fail "$file diffère"
        [ "$(tr -cd '\r' <"$windows" | wc -c)" = "$(tr -cd '\n' <"$windows" | wc -c)" ] ||
            fail "$file : des lignes ne finissent pas par \\r\\n"
        ;;
    *) cmp -s "$linux" "$windows" || fail "$file diffère" ;;
    esac
done <"$work/files.linux"
count=$(wc -l <"$work/files.linux")

rm -rf "$drive_c"
[ -s "$work/windows/réseau.tur" ] || fail "rien n'a été importé du service"
if [ "$failures" -gt 0 ]; then
    echo "$failures différence(s) entre sg-race.exe et sg-race."
    exit 1
fi
echo "sg-race.exe et sg-race : mêmes sorties, mêmes $count fichiers."
